// The capture frame: where its interior lies on the view canvas, and the drag or held move
// button in progress. Its size is always the output size, so only the position is kept here.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <Qt>

#include "output/move_direction.h"

namespace veltrix {

// What a press on the frame takes hold of: the sides that then follow the mouse, a corner being
// its two sides, or the whole frame.
enum class FrameDrag : unsigned {
  None = 0,
  Left = 1,
  Right = 2,
  Top = 4,
  Bottom = 8,
  Move = 16,
  TopLeft = Top | Left,
  BottomRight = Bottom | Right,
  TopRight = Top | Right,
  BottomLeft = Bottom | Left,
};

constexpr FrameDrag operator|(FrameDrag a, FrameDrag b) {
  return static_cast<FrameDrag>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

// Whether the drag holds any of the given sides.
constexpr bool holds(FrameDrag drag, FrameDrag sides) {
  return (static_cast<unsigned>(drag) & static_cast<unsigned>(sides)) != 0;
}

// The frame lines are drawn in yellow until the user picks another colour.
inline const QColor kDefaultFrameColour{255, 255, 0};

struct CaptureFrame {
  int interiorLeft = 0;
  int interiorTop = 0;
  QColor colour = kDefaultFrameColour;  // has no effect on the saved picture
  FrameDrag drag = FrameDrag::None;
  QPoint lastMouse;
};

// Centres a frame interior of the given size on the canvas centre.
inline void centreFrame(CaptureFrame& frame, int centreX, int centreY, int width, int height) {
  frame.interiorLeft = centreX - width / 2;
  frame.interiorTop = centreY - height / 2;
}

// The frame region under a point of the view canvas, as the drag a press there starts. Bands
// two pixels wide around the interior's edges resize; the interior moves.
FrameDrag frameRegionAt(QPoint point, const QRect& interior);

// The cursor shown while hovering over a region.
Qt::CursorShape cursorFor(FrameDrag region);

// One mouse step of an edge or corner drag: the moving sides follow the mouse, the opposite
// sides stay. A step that would make the interior narrower or lower than 10 pixels is refused.
struct ResizeStep {
  bool allowed = false;
  QRect interior;
};
ResizeStep resizeStep(FrameDrag drag, const QRect& interior, int dx, int dy);

// Whether a drag changes the width, the height, or both.
constexpr bool dragChangesWidth(FrameDrag drag) {
  return holds(drag, FrameDrag::Left | FrameDrag::Right);
}
constexpr bool dragChangesHeight(FrameDrag drag) {
  return holds(drag, FrameDrag::Top | FrameDrag::Bottom);
}

// The interior moved by one pixel in a direction.
QPoint nudged(QPoint topLeft, MoveDirection direction);

}  // namespace veltrix
