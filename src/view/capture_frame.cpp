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
  const bool leftBand = within(x, l - 2, l);
  const bool rightBand = within(x, l + w, l + w + 2);
  const bool topBand = within(y, t - 2, t);
  const bool bottomBand = within(y, t + h, t + h + 2);
  const bool innerColumns = within(x, l + 2, l + w - 2);
  const bool innerRows = within(y, t + 2, t + h - 2);
  if (within(x, l + 1, l + w - 1) && within(y, t + 1, t + h - 1)) return FrameDrag::Move;
  if (leftBand && innerRows) return FrameDrag::Left;
  if (rightBand && innerRows) return FrameDrag::Right;
  if (topBand && innerColumns) return FrameDrag::Top;
  if (bottomBand && innerColumns) return FrameDrag::Bottom;
  if (leftBand && topBand) return FrameDrag::TopLeft;
  if (rightBand && bottomBand) return FrameDrag::BottomRight;
  if (rightBand && topBand) return FrameDrag::TopRight;
  if (leftBand && bottomBand) return FrameDrag::BottomLeft;
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

bool dragChangesWidth(FrameDrag drag) {
  return drag == FrameDrag::Left || drag == FrameDrag::Right || drag == FrameDrag::TopLeft ||
         drag == FrameDrag::BottomRight || drag == FrameDrag::TopRight ||
         drag == FrameDrag::BottomLeft;
}

bool dragChangesHeight(FrameDrag drag) {
  return drag == FrameDrag::Top || drag == FrameDrag::Bottom || drag == FrameDrag::TopLeft ||
         drag == FrameDrag::BottomRight || drag == FrameDrag::TopRight ||
         drag == FrameDrag::BottomLeft;
}

ResizeStep resizeStep(FrameDrag drag, const QRect& interior, int dx, int dy) {
  int l = interior.left(), t = interior.top(), w = interior.width(), h = interior.height();
  const bool movesLeft =
      drag == FrameDrag::Left || drag == FrameDrag::TopLeft || drag == FrameDrag::BottomLeft;
  const bool movesRight =
      drag == FrameDrag::Right || drag == FrameDrag::BottomRight || drag == FrameDrag::TopRight;
  const bool movesTop =
      drag == FrameDrag::Top || drag == FrameDrag::TopLeft || drag == FrameDrag::TopRight;
  const bool movesBottom =
      drag == FrameDrag::Bottom || drag == FrameDrag::BottomRight || drag == FrameDrag::BottomLeft;
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
