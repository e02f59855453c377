// The capture frame as the user handles it: dragged by its interior, resized by its edges and
// corners, nudged by the move buttons (repeating while held) and the arrow keys, and recoloured.
// It works on the records and asks the window around it, through FrameHost, for what only the
// window can do.
#pragma once

#include <QObject>

#include "output/move_direction.h"
#include "output/output_spec.h"
#include "view/canvas_tool.h"
#include "view/capture_frame.h"
#include "view/image_document.h"

namespace veltrix {

class ButtonRepeat;

class FrameHost {
 public:
  virtual ~FrameHost() = default;
  // The frame moved, changed size or colour: the frame canvas follows it and the view shows it.
  virtual void showFrame() = 0;
  // An edge drag is about to change the output size: the size list says "custom".
  virtual void chooseCustomSize() = 0;
  // An edge drag changed the output size in these dimensions: the size entries show it.
  virtual void showDraggedSize(bool width, bool height) = 0;
  // An edge drag that changed the size has ended.
  virtual void fitCameraToOutput(SizeChange change) = 0;
  virtual void setCanvasCursor(Qt::CursorShape shape) = 0;
  // A move button was pressed with no picture to move the frame over.
  virtual void askForPicture() = 0;
};

class FrameController : public QObject, public CanvasTool {
  Q_OBJECT
 public:
  FrameController(CaptureFrame& frame, OutputSpec& output, const ImageDocument& document,
                  FrameHost& host, QObject* parent);

  bool press(QPoint at) override;
  bool move(QPoint at) override;
  // The arrow keys nudge the frame, with any modifier, while there is a picture.
  bool key(int key, Qt::KeyboardModifiers modifiers) override;
  bool holdsPointer() const override;
  void endPointerAction() override;

  void nudge(MoveDirection direction);
  void pressMoveButton(MoveDirection direction);
  void releaseMoveButton();
  void setColour(const QColor& colour);

 private:
  void dragEdge(QPoint at);

  CaptureFrame& frame_;
  OutputSpec& output_;
  const ImageDocument& document_;
  FrameHost& host_;
  ButtonRepeat* moveRepeat_;
};

}  // namespace veltrix
