// What the tool palette's controls do and how the tools meet the rest of the program: which tool
// is on and takes the view canvas's events, the current colour and font, and the commit of
// pending strokes and text that every command of the window asks for first.
#pragma once

#include <QObject>

#include "tools/eyedropper_tool.h"
#include "tools/pen_tool.h"
#include "tools/text_tool.h"

class QLineEdit;

namespace veltrix {

class Prompter;
class ToolPalette;

class ToolsController : public QObject {
  Q_OBJECT
 public:
  ToolsController(ToolCanvas canvas, ToolPalette& palette, QLineEdit& entry, Prompter& prompter,
                  QObject* parent);

  // The tool that takes the view canvas's pointer and keys; none when no tool is on.
  CanvasTool* activeTool();

  // Bakes a pending pen stroke.
  void endPointerAction();
  // Commits typed text and hides the entry box; the text tool stays on.
  void flushTextInput();
  // Commits typed text and switches the text tool off.
  void endTextTool();
  // Re-arms the ticked tool after the view was rebuilt. After a resize the text tool is not
  // among them; after a paste the focus stays where it is.
  void restoreActiveTool(bool textToo, bool focus);

  // The edit command.
  void showPalette();
  void hidePalette();
  // A right press on the view canvas or the entry box: every tool off.
  void endAllTools();

  void switchTool(ToolKind tool, bool on);
  // The font dialog, opened by a right press on the text box.
  void chooseFont();
  void applyToolColour(const QColor& colour);
  void setPenWidthText(const QString& text);
  // The mouse over the palette: a pending stroke is baked and the control's hint shown.
  void pointerOverPalette(QWidget* control);

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void startTextTool();
  void mirror();

  ToolCanvas canvas_;
  ToolPalette& palette_;
  QLineEdit& entry_;
  Prompter& prompter_;
  PenTool pen_;
  TextTool text_;
  EyedropperTool eyedropper_;
};

}  // namespace veltrix
