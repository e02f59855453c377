// The text tool: a click opens the entry box there, and what is typed into it is drawn on the
// back canvas in the text font and colour and baked into the picture when it is committed: by
// Enter, by the next click, and by every command that flushes it.
#pragma once

#include "tools/tool_canvas.h"
#include "view/canvas_tool.h"

class QLineEdit;

namespace veltrix {

class TextTool final : public CanvasTool {
 public:
  TextTool(ToolCanvas canvas, QLineEdit& entry);

  bool press(QPoint at) override;
  bool move(QPoint) override { return true; }
  bool key(int, Qt::KeyboardModifiers) override { return false; }
  bool release(QPoint at) override;
  bool holdsPointer() const override { return false; }
  void endPointerAction() override {}

  // Draws the box's text and bakes it.
  void commitText();
  // Enter: the line is baked, even an empty one, and typing goes on a line lower.
  void nextLine();
  // Commits what the box holds and hides it; the tool stays on.
  void flushTextInput();
  // The box follows the text font: its cell, its height, and its width for what it holds.
  void useFont();
  void useColour();
  // The box holds its text and two more characters, and never less than the whole text.
  void fitWidth();

 private:
  // Where the box shows its text's top-left, in view canvas pixels.
  QPoint shownTextAt() const;
  void drawBoxText();

  ToolCanvas canvas_;
  QLineEdit& entry_;
};

}  // namespace veltrix
