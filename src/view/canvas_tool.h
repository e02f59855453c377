// A tool that works on the view canvas. The window hands it the canvas's pointer and key events
// and never learns what the tool does with them: the capture frame is one such tool, the pen,
// the text tool and the eyedropper are others.
#pragma once

#include <QPoint>
#include <Qt>

namespace veltrix {

class CanvasTool {
 public:
  virtual ~CanvasTool() = default;

  // Each returns whether the tool took the event.
  virtual bool press(QPoint at) = 0;
  virtual bool move(QPoint at) = 0;
  virtual bool key(int key, Qt::KeyboardModifiers modifiers) = 0;
  // The left button let go over the canvas; a tool that does not take it has the window end
  // the pointer action.
  virtual bool release(QPoint) { return false; }

  // Whether the tool holds the pointer: a drag or stroke is under way.
  virtual bool holdsPointer() const = 0;
  // Ends a drag or stroke under way; every command of the window does this first.
  virtual void endPointerAction() = 0;
};

}  // namespace veltrix
