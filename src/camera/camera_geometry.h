// Where everything of the camera window goes: the preview sized from the output size and the
// camera's aspect, the window around it, the controls beside it, and the quick-shoot frame on it.
// Plain arithmetic, so the window only places what these functions give.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "output/output_spec.h"

namespace veltrix {

// The smallest preview, as designed.
inline constexpr QSize kMinimumPreview{412, 309};
// The preview's place in the group box, and the group box's in the window.
inline constexpr QPoint kPreviewInGroup{10, 16};
inline constexpr QPoint kGroupInWindow{4, 4};

// The window is this much larger than the preview, besides the main window's corrections, which
// stand for the border here too.
inline constexpr int kWindowBesidePreview = 163;
inline constexpr int kWindowBelowPreview = 90;

// A preview that keeps the camera's aspect (height / width), is 30 pixels larger than the
// output frame in the dimension that limits, and never smaller than the design.
QSize previewSizeFor(QSize output, double aspect);

// The window's outer size around a preview, and the preview inside an outer size.
QSize windowSizeFor(QSize preview, QSize corrections);
QSize previewInside(QSize window, QSize corrections);

// After the user resized the window: the preview keeps the aspect, taking its width from the
// window when the width changed at least as much as the height, else its height. A window that
// did not change keeps its preview as it is, so rounding never shaves a pixel off it.
QSize previewAfterResize(QSize window, QSize lastWindow, QSize corrections, double aspect);

// The preview after the output size changed in one dimension: it grows to hold the frame when
// the frame no longer fits the current preview, else the sizing rule decides.
QSize previewAfterOutputChange(SizeChange change, QSize output, QSize currentPreview,
                               double aspect);

// The controls around a preview of that size, in window coordinates unless said otherwise.
struct CameraLayout {
  QSize group;  // the group box holding the preview
  int quickShotBoxTop = 0;
  int buttonsLeft = 0;  // the device, format, quick-shoot settings and photo buttons
  int photoButtonTop = 0;
  QPoint up, down, left, right;  // the move buttons' top-left corners
};
CameraLayout cameraLayout(QSize preview);

// The frame's inner rectangle centred on the preview, in group box coordinates.
QPoint centredFrame(QSize preview, QSize output);

// The quick-shoot frame: the inner rectangle and the four bars drawn around it, 9 pixels thick.
struct CameraFrameBars {
  QRect inner;              // group box coordinates
  QRect left, top, bottom;  // group box coordinates
  QRect right;              // window coordinates
};
CameraFrameBars cameraFrameBars(QPoint frame, QSize output);

// Where a dragged frame may go: inside the live picture, at least a pixel from its left and top
// edges, four from its right edge and one from its bottom edge.
QPoint clampedFrame(QPoint wanted, QSize group, QSize output);

}  // namespace veltrix
