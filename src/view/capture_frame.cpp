#include "view/capture_frame.h"

namespace veltrix {
namespace {

bool within(int value, int low, int high) {
  return value >= low && value <= high;
}

constexpr int kMinimumSide = 10;

}  // namespace

FrameDrag frameRegionAt(QPoint point, const QRect& interior) {
  const int x = point.x(), y = point.y();
  const int l = interior.left(), t = interior.top();
  const int w = interior.width(), h = interior.height();
  if (within(x, l + 1, l + w - 1) && within(y, t + 1, t + h - 1)) return FrameDrag::Move;
  // A band two pixels wide around each edge; along an edge it leaves the corners free, where the
  // bands of two edges meet.
  const FrameDrag column = within(x, l - 2, l)           ? FrameDrag::Left
                           : within(x, l + w, l + w + 2) ? FrameDrag::Right
                                                         : FrameDrag::None;
  const FrameDrag row = within(y, t - 2, t)           ? FrameDrag::Top
                        : within(y, t + h, t + h + 2) ? FrameDrag::Bottom
                                                      : FrameDrag::None;
  if (column != FrameDrag::None && within(y, t + 2, t + h - 2)) return column;
  if (row != FrameDrag::None && within(x, l + 2, l + w - 2)) return row;
  if (column != FrameDrag::None && row != FrameDrag::None) return column | row;
  return FrameDrag::None;
}

Qt::CursorShape cursorFor(FrameDrag region) {
  switch (region) {
    case FrameDrag::Move:
      return Qt::SizeAllCursor;
    case FrameDrag::Left:
    case FrameDrag::Right:
      return Qt::SizeHorCursor;
    case FrameDrag::Top:
    case FrameDrag::Bottom:
      return Qt::SizeVerCursor;
    case FrameDrag::TopLeft:
    case FrameDrag::BottomRight:
      return Qt::SizeFDiagCursor;
    case FrameDrag::TopRight:
    case FrameDrag::BottomLeft:
      return Qt::SizeBDiagCursor;
    case FrameDrag::None:
      break;
  }
  return Qt::ArrowCursor;
}

ResizeStep resizeStep(FrameDrag drag, const QRect& interior, int dx, int dy) {
  int l = interior.left(), t = interior.top(), w = interior.width(), h = interior.height();
  const bool movesLeft = holds(drag, FrameDrag::Left);
  const bool movesRight = holds(drag, FrameDrag::Right);
  const bool movesTop = holds(drag, FrameDrag::Top);
  const bool movesBottom = holds(drag, FrameDrag::Bottom);
  if ((movesLeft && dx > w - kMinimumSide) || (movesRight && dx < kMinimumSide - w) ||
      (movesTop && dy > h - kMinimumSide) || (movesBottom && dy < kMinimumSide - h))
    return {false, interior};
  if (movesLeft) w -= dx, l += dx;
  if (movesRight) w += dx;
  if (movesTop) h -= dy, t += dy;
  if (movesBottom) h += dy;
  return {true, QRect(l, t, w, h)};
}

QPoint nudged(QPoint topLeft, MoveDirection direction) {
  switch (direction) {
    case MoveDirection::Up:
      return topLeft + QPoint(0, -1);
    case MoveDirection::Down:
      return topLeft + QPoint(0, 1);
    case MoveDirection::Left:
      return topLeft + QPoint(-1, 0);
    case MoveDirection::Right:
      return topLeft + QPoint(1, 0);
    case MoveDirection::None:
      break;
  }
  return topLeft;
}

}  // namespace veltrix
