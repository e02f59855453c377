// The pen: a press leaves a dot, a drag a line of the pen's width in the current colour, both on
// the back canvas; the stroke stays pending until the window ends the pointer action, which
// bakes it into the picture. Hovering outlines the dot a press would make, on the screen only.
#pragma once

#include "tools/tool_canvas.h"
#include "view/canvas_tool.h"

namespace veltrix {

class PenTool final : public CanvasTool {
 public:
  explicit PenTool(ToolCanvas canvas) : canvas_(canvas) {}

  bool press(QPoint at) override;
  bool move(QPoint at) override;
  bool key(int, Qt::KeyboardModifiers) override { return false; }
  bool holdsPointer() const override;
  void endPointerAction() override;

 private:
  ToolCanvas canvas_;
};

}  // namespace veltrix
