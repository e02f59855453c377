// The capture frame: where its interior lies on the view canvas, and the drag or held move
// button in progress. Its size is always the output size, so only the position is kept here.
#pragma once

#include <QPoint>
#include <QRect>
#include <Qt>

#include "output/move_direction.h"

namespace veltrix {

enum class FrameDrag {
  None,
  Move,
  Left,
  Right,
  Top,
  Bottom,
  TopLeft,
  BottomRight,
  TopRight,
  BottomLeft
};

struct CaptureFrame {
  int interiorLeft = 0;
  int interiorTop = 0;
  FrameDrag drag = FrameDrag::None;
  QPoint lastMouse;
  MoveDirection moveDirection = MoveDirection::None;
  int repeatTicks = 0;
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
bool dragChangesWidth(FrameDrag drag);
bool dragChangesHeight(FrameDrag drag);

// The interior moved by one pixel in a direction.
QPoint nudged(QPoint topLeft, MoveDirection direction);

}  // namespace veltrix
