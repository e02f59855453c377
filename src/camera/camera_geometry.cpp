#include "camera/camera_geometry.h"

#include <cmath>

#include "settings/number_rules.h"

namespace veltrix {
namespace {

// The frame needs this much more room than its own size to show whole with its bars.
constexpr int kFrameRoom = 30;
constexpr int kBarThickness = 9;

int trunc(double value) {
  return truncToInt(value);
}

}  // namespace

QSize previewSizeFor(QSize output, double aspect) {
  const double wanted = output.width() + kFrameRoom;
  const double high = output.height() + kFrameRoom;
  if (high / wanted - aspect <= kNumberTolerance) {
    const int width = wanted > kMinimumPreview.width() ? trunc(wanted) : kMinimumPreview.width();
    return {width, trunc(width * aspect)};
  }
  const int height = high > kMinimumPreview.height() ? trunc(high) : kMinimumPreview.height();
  return {trunc(height / aspect), height};
}

QSize windowSizeFor(QSize preview, QSize corrections) {
  return {preview.width() + corrections.width() + kWindowBesidePreview,
          preview.height() + corrections.height() + kWindowBelowPreview};
}

QSize previewInside(QSize window, QSize corrections) {
  return {window.width() - kWindowBesidePreview - corrections.width(),
          window.height() - kWindowBelowPreview - corrections.height()};
}

QSize previewAfterResize(QSize window, QSize lastWindow, QSize corrections, double aspect) {
  QSize preview = previewInside(window, corrections);
  if (window == lastWindow) return preview;
  const int widthChange = std::abs(window.width() - lastWindow.width());
  const int heightChange = std::abs(window.height() - lastWindow.height());
  if (widthChange >= heightChange)
    preview.setHeight(trunc(preview.width() * aspect));
  else
    preview.setWidth(trunc(preview.height() / aspect));
  return preview;
}

QSize previewAfterOutputChange(SizeChange change, QSize output, QSize currentPreview,
                               double aspect) {
  if (change == SizeChange::WidthChanged &&
      output.width() + kFrameRoom > currentPreview.width() + kNumberTolerance) {
    const int width = output.width() + kFrameRoom;
    return {width, trunc(width * aspect)};
  }
  if (change == SizeChange::HeightChanged &&
      output.height() + kFrameRoom > currentPreview.height() + kNumberTolerance) {
    const int height = output.height() + kFrameRoom;
    return {trunc(height / aspect), height};
  }
  return previewSizeFor(output, aspect);
}

CameraLayout cameraLayout(QSize preview) {
  CameraLayout layout;
  layout.group = preview + QSize(22, 27);
  layout.quickShotBoxTop = layout.group.height() + 7;
  layout.buttonsLeft = layout.group.width() + 11;
  layout.photoButtonTop = layout.group.height() + 22 - 78;
  const int cx = layout.buttonsLeft + 58;
  const int cy = (layout.photoButtonTop + 91) / 2;
  layout.left = {cx - 46, cy - 14};
  layout.right = {cx + 14, cy - 14};
  layout.up = {cx - 14, cy - 46};
  layout.down = {cx - 14, cy + 14};
  return layout;
}

QPoint centredFrame(QSize preview, QSize output) {
  return {trunc(preview.width() / 2.0 - output.width() / 2.0 + kPreviewInGroup.x()),
          trunc(preview.height() / 2.0 - output.height() / 2.0 + kPreviewInGroup.y())};
}

CameraFrameBars cameraFrameBars(QPoint frame, QSize output) {
  constexpr int t = kBarThickness;
  const int left = frame.x(), top = frame.y(), w = output.width(), h = output.height();
  return {QRect(left, top, w, h), QRect(left - t - 1, top - t - 1, t, h + 2 * t + 2),
          QRect(left - t - 1, top - t - 1, w + 2 * t + 2, t),
          QRect(left - t - 1, top + h + 1, w + 2 * t + 2, t),
          QRect(left + w + t, top - 6, t, h + 2 * t + 2)};
}

QPoint clampedFrame(QPoint wanted, QSize group, QSize output) {
  int x = std::max(wanted.x(), 11);
  x = std::min(x, group.width() - 10 - output.width() - 6);
  int y = std::max(wanted.y(), 17);
  y = std::min(y, group.height() - 10 - output.height() - 2);
  return {x, y};
}

}  // namespace veltrix
