#include "view/view_render.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "view/scaler.h"

namespace veltrix {
namespace {

constexpr double kTolerance = 1e-7;

// Copies the part of source starting at `from` onto target at `to`, clipped to both images.
void copyRegion(const QImage& source, QPoint from, QImage& target, QPoint to) {
  int sx = from.x(), sy = from.y(), tx = to.x(), ty = to.y();
  if (tx < 0) sx -= tx, tx = 0;
  if (ty < 0) sy -= ty, ty = 0;
  if (sx < 0) tx -= sx, sx = 0;
  if (sy < 0) ty -= sy, sy = 0;
  const int width = std::min(source.width() - sx, target.width() - tx);
  const int height = std::min(source.height() - sy, target.height() - ty);
  if (width <= 0 || height <= 0) return;
  for (int row = 0; row < height; ++row)
    std::memcpy(target.scanLine(ty + row) + 4 * tx, source.constScanLine(sy + row) + 4 * sx,
                static_cast<size_t>(width) * 4);
}

void fillWhite(QImage& image, QRect area) {
  area &= image.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(row + area.left(), row + area.left() + area.width(), qRgb(255, 255, 255));
  }
}

struct Placement {
  int offset = 0;
  int shown = 0;
};

// Where a full redraw scrolls: to the stored fraction of the way, as after a zoom, or to the
// position shown, as after a bake, whose picture is the one shown pixel for pixel. A fraction
// of 0 would centre the view, and a fraction taken back truncates a pixel short.
enum class Scroll { ToFraction, Stay };

// Centres a scaled picture narrower than the canvas, or scrolls one that is larger.
Placement placeAxis(int scaled, int canvas, ScrollAxis& axis, double& fraction, Scroll scroll) {
  if (scaled <= canvas) {
    axis.enabled = false;
    const int offset = (canvas - scaled) / 2;
    return {offset < 1 ? 0 : offset, scaled};
  }
  const bool stay = scroll == Scroll::Stay && axis.enabled;
  axis.enabled = true;
  axis.maximum = scaled - canvas;
  if (stay) {
    axis.position = std::min(axis.position, axis.maximum);
    return {0, canvas};
  }
  if (std::abs(fraction) <= kTolerance) fraction = 0.5;
  axis.position = static_cast<int>(axis.maximum * fraction);
  return {0, canvas};
}

void showPictureArea(ViewState& view, const FrameLines& frame) {
  copyRegion(view.pictureCanvas, {view.sourceX, view.sourceY}, view.backCanvas,
             {view.offsetX, view.offsetY});
  view.viewCanvas = view.backCanvas.copy();
  drawFrame(view.viewCanvas, frame);
}

// Zooming out stops while the picture still has a pixel on each side, zooming in at the bounds.
bool allowedZoom(const QImage& picture, double zoom, double factor) {
  const double width = std::trunc(picture.width() * zoom);
  const double height = std::trunc(picture.height() * zoom);
  if (factor < 1.0 && (width < 1 || height < 1)) return false;
  return width <= kMaxScaledSide && height <= kMaxScaledSide &&
         width * height <= static_cast<double>(kMaxScaledPixels);
}

}  // namespace

void resizeCanvases(ViewState& view, int width, int height) {
  view.backCanvas = blankCanvas(width, height);
  view.viewCanvas = blankCanvas(width, height);
}

void clearCanvases(ViewState& view) {
  view.backCanvas.fill(Qt::white);
  view.viewCanvas.fill(Qt::white);
}

QSize scaledSize(QSize picture, double zoom) {
  return {std::max(1, static_cast<int>(picture.width() * zoom)),
          std::max(1, static_cast<int>(picture.height() * zoom))};
}

namespace {

// pictureCanvas is the picture already scaled to the zoom, or null to scale it here.
void redraw(ViewState& view, const ImageDocument& document, const FrameLines& frame,
            QImage pictureCanvas, Scroll scroll = Scroll::ToFraction) {
  if (!document.present) return;
  const QSize scaled = scaledSize(document.picture.size(), view.zoom);
  view.scaledWidth = scaled.width();
  view.scaledHeight = scaled.height();
  if (pictureCanvas.isNull()) {
    // Let the old canvas go before the new one is made: both at once could double the memory.
    view.pictureCanvas = QImage();
    pictureCanvas = scalePicture(document.picture, view.scaledWidth, view.scaledHeight);
  }
  view.pictureCanvas = std::move(pictureCanvas);

  const Placement x = placeAxis(view.scaledWidth, view.backCanvas.width(), view.horizontal,
                                view.scrollFractionX, scroll);
  const Placement y = placeAxis(view.scaledHeight, view.backCanvas.height(), view.vertical,
                                view.scrollFractionY, scroll);
  view.offsetX = x.offset;
  view.shownWidth = x.shown;
  view.offsetY = y.offset;
  view.shownHeight = y.shown;
  view.sourceX = view.horizontal.enabled ? view.horizontal.position : 0;
  view.sourceY = view.vertical.enabled ? view.vertical.position : 0;

  // Everything outside the picture area is margin and white, also the odd pixel left over
  // when the margins cannot be equal.
  const QRect pictureArea(view.offsetX, view.offsetY, view.shownWidth, view.shownHeight);
  const QRect canvas = view.backCanvas.rect();
  fillWhite(view.backCanvas, QRect(0, 0, canvas.width(), pictureArea.top()));
  fillWhite(view.backCanvas, QRect(0, pictureArea.bottom() + 1, canvas.width(), canvas.height()));
  fillWhite(view.backCanvas, QRect(0, 0, pictureArea.left(), canvas.height()));
  fillWhite(view.backCanvas, QRect(pictureArea.right() + 1, 0, canvas.width(), canvas.height()));
  showPictureArea(view, frame);
}

}  // namespace

void redrawView(ViewState& view, const ImageDocument& document, const FrameLines& frame) {
  redraw(view, document, frame, QImage());
}

double fitZoom(QSize picture, QSize canvas) {
  const double w = picture.width();
  const double h = picture.height();
  const double cw = canvas.width();
  const double ch = canvas.height();
  if (w / h - cw / ch >= -kTolerance) return w > cw ? cw / w : 1.0;
  return h > ch ? ch / h : 1.0;
}

void showNewPicture(ViewState& view, const ImageDocument& document, const FrameLines& frame,
                    QImage fittedCanvas) {
  if (!document.present) return;
  view.zoom = fitZoom(document.picture.size(), view.backCanvas.size());
  view.horizontal.enabled = false;
  view.vertical.enabled = false;
  redraw(view, document, frame, std::move(fittedCanvas));
}

bool zoomView(ViewState& view, const ImageDocument& document, double factor,
              const FrameLines& frame) {
  const double zoom = view.zoom * factor;
  if (document.present && !allowedZoom(document.picture, zoom, factor)) return false;
  view.zoom = zoom;
  redrawView(view, document, frame);
  return true;
}

void scrollView(ViewState& view, const ImageDocument& document, int horizontalPosition,
                int verticalPosition, const FrameLines& frame) {
  if (!document.present) return;
  const auto follow = [](ScrollAxis& axis, int position, double& fraction) {
    if (!axis.enabled) return 0;
    axis.position = std::clamp(position, 0, axis.maximum);
    fraction = static_cast<double>(axis.position) / axis.maximum;
    return axis.position;
  };
  view.sourceX = follow(view.horizontal, horizontalPosition, view.scrollFractionX);
  view.sourceY = follow(view.vertical, verticalPosition, view.scrollFractionY);
  showPictureArea(view, frame);
}

void bakeBackCanvas(ViewState& view, ImageDocument& document, const FrameLines& frame) {
  // Without a picture canvas (its allocation can fail) there is nothing to bake, and the
  // picture must not be lost.
  if (!document.present || view.pictureCanvas.isNull()) return;
  const QImage shown =
      view.backCanvas.copy(view.offsetX, view.offsetY, view.shownWidth, view.shownHeight);
  copyRegion(shown, {0, 0}, view.pictureCanvas, {view.sourceX, view.sourceY});
  document.picture = view.pictureCanvas;
  view.zoom = 1.0;
  // At zoom 1 the picture is its own scaled canvas: nothing needs scaling again, and the view
  // stays where it was, so that the marks stay under the pointer and the frame.
  redraw(view, document, frame, view.pictureCanvas, Scroll::Stay);
}

void refreshFrameOverlay(ViewState& view, const ImageDocument& document, const FrameLines& frame) {
  if (!document.present) return;
  view.viewCanvas = view.backCanvas.copy();
  drawFrame(view.viewCanvas, frame);
}

}  // namespace veltrix
