// The eyedropper: a press takes the colour the view shows under the pointer, frame lines
// included, read from the view canvas image rather than the screen.
#pragma once

#include <functional>

#include "tools/tool_canvas.h"
#include "view/canvas_tool.h"

namespace veltrix {

class EyedropperTool final : public CanvasTool {
 public:
  EyedropperTool(ToolCanvas canvas, std::function<void(const QColor&)> take)
      : canvas_(canvas), take_(std::move(take)) {}

  bool press(QPoint at) override;
  bool move(QPoint) override { return true; }
  bool key(int, Qt::KeyboardModifiers) override { return false; }
  bool holdsPointer() const override { return false; }
  void endPointerAction() override {}

 private:
  ToolCanvas canvas_;
  std::function<void(const QColor&)> take_;
};

}  // namespace veltrix
