#include "view/frame_controller.h"

#include "view/frame_lines.h"
#include "widgets/button_repeat.h"

namespace veltrix {

FrameController::FrameController(CaptureFrame& frame, OutputSpec& output,
                                 const ImageDocument& document, FrameHost& host, QObject* parent)
    : QObject(parent), frame_(frame), output_(output), document_(document), host_(host) {
  moveRepeat_ = new ButtonRepeat(QStringLiteral("截图时钟"), this);
}

bool FrameController::press(QPoint at) {
  if (!document_.present) return false;
  const FrameDrag region = frameRegionAt(at, frameLines(frame_, output_).interior);
  if (region == FrameDrag::None) return false;
  frame_.drag = region;
  frame_.lastMouse = at;
  return true;
}

bool FrameController::move(QPoint at) {
  if (!document_.present) return false;
  if (frame_.drag == FrameDrag::Move) {
    frame_.interiorLeft += at.x() - frame_.lastMouse.x();
    frame_.interiorTop += at.y() - frame_.lastMouse.y();
    frame_.lastMouse = at;
    host_.showFrame();
  } else if (frame_.drag != FrameDrag::None) {
    dragEdge(at);
  } else {
    host_.setCanvasCursor(cursorFor(frameRegionAt(at, frameLines(frame_, output_).interior)));
  }
  return true;
}

void FrameController::dragEdge(QPoint at) {
  host_.chooseCustomSize();
  const ResizeStep step = resizeStep(frame_.drag, frameLines(frame_, output_).interior,
                                     at.x() - frame_.lastMouse.x(), at.y() - frame_.lastMouse.y());
  // A frame narrower or lower than the floor ends the drag; the user presses again to go on.
  if (!step.allowed) {
    endPointerAction();
    return;
  }
  frame_.interiorLeft = step.interior.left();
  frame_.interiorTop = step.interior.top();
  output_.pixelWidth = step.interior.width();
  output_.pixelHeight = step.interior.height();
  host_.showDraggedSize(dragChangesWidth(frame_.drag), dragChangesHeight(frame_.drag));
  frame_.lastMouse = at;
  host_.showFrame();
}

bool FrameController::key(int key, Qt::KeyboardModifiers) {
  MoveDirection direction = MoveDirection::None;
  switch (key) {
    case Qt::Key_Up:
      direction = MoveDirection::Up;
      break;
    case Qt::Key_Down:
      direction = MoveDirection::Down;
      break;
    case Qt::Key_Left:
      direction = MoveDirection::Left;
      break;
    case Qt::Key_Right:
      direction = MoveDirection::Right;
      break;
    default:
      return false;
  }
  if (document_.present) nudge(direction);
  return true;
}

bool FrameController::holdsPointer() const {
  return frame_.drag != FrameDrag::None;
}

void FrameController::endPointerAction() {
  const FrameDrag ended = frame_.drag;
  frame_.drag = FrameDrag::None;
  const bool width = dragChangesWidth(ended);
  const bool height = dragChangesHeight(ended);
  if (!width && !height) return;
  host_.fitCameraToOutput(width && height ? SizeChange::SizeChanged
                          : width         ? SizeChange::WidthChanged
                                          : SizeChange::HeightChanged);
}

void FrameController::nudge(MoveDirection direction) {
  const QPoint moved = nudged({frame_.interiorLeft, frame_.interiorTop}, direction);
  frame_.interiorLeft = moved.x();
  frame_.interiorTop = moved.y();
  host_.showFrame();
}

void FrameController::pressMoveButton(MoveDirection direction) {
  if (!document_.present) {
    host_.askForPicture();
    return;
  }
  moveRepeat_->press([this, direction] {
    if (!document_.present) return false;
    nudge(direction);
    return true;
  });
}

void FrameController::releaseMoveButton() {
  moveRepeat_->release();
}

void FrameController::setColour(const QColor& colour) {
  frame_.colour = colour;
  if (document_.present) host_.showFrame();
}

}  // namespace veltrix
