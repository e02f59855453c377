#include "tools/tools_controller.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>

#include "platform/prompter.h"
#include "tools/tool_font.h"
#include "tools/tool_palette.h"
#include "tools/tool_pictures.h"
#include "tools/tool_rules.h"

namespace veltrix {

ToolsController::ToolsController(ToolCanvas canvas, ToolPalette& palette, QLineEdit& entry,
                                 Prompter& prompter, QObject* parent)
    : QObject(parent),
      canvas_(canvas),
      palette_(palette),
      entry_(entry),
      prompter_(prompter),
      pen_(canvas),
      text_(canvas, entry),
      eyedropper_(canvas, [this](const QColor& colour) { applyToolColour(colour); }) {
  canvas_.edit.font = toolFont(startFont());
  canvas_.edit.penWidth = penWidthFrom(palette_.penWidthText());
  text_.useFont();
  text_.useColour();
  mirror();

  connect(&palette_, &ToolPalette::toolClicked, this, &ToolsController::switchTool);
  connect(&palette_, &ToolPalette::fontRequested, this, &ToolsController::chooseFont);
  connect(&palette_, &ToolPalette::colourChosen, this, &ToolsController::applyToolColour);
  connect(&palette_, &ToolPalette::penWidthEdited, this, &ToolsController::setPenWidthText);
  connect(&palette_, &ToolPalette::pointerOver, this, &ToolsController::pointerOverPalette);
  connect(&entry_, &QLineEdit::textChanged, this, [this] { text_.fitWidth(); });
  connect(&entry_, &QLineEdit::returnPressed, this, [this] { text_.nextLine(); });
  entry_.installEventFilter(this);
}

CanvasTool* ToolsController::activeTool() {
  switch (canvas_.edit.active()) {
    case ToolKind::Pen:
      return &pen_;
    case ToolKind::Text:
      return &text_;
    case ToolKind::Eyedropper:
      return &eyedropper_;
    case ToolKind::None:
      break;
  }
  // A stroke outlives the pen only until it is baked.
  return canvas_.edit.strokePending ? &pen_ : nullptr;
}

void ToolsController::endPointerAction() {
  pen_.endPointerAction();
}

void ToolsController::flushTextInput() {
  text_.flushTextInput();
}

void ToolsController::endTextTool() {
  EditTools& edit = canvas_.edit;
  if (!edit.textActive) return;
  text_.flushTextInput();
  edit.textActive = false;
  mirror();
  canvas_.host.navigationKeysBack();
}

void ToolsController::restoreActiveTool(bool textToo, bool focus) {
  EditTools& edit = canvas_.edit;
  if (!edit.editMode) return;
  ToolHost& host = canvas_.host;
  if (edit.penActive) {
    host.setCanvasCursor(pencilCursor());
  } else if (edit.eyedropperActive) {
    host.setCanvasCursor(dropperCursor());
  } else if (edit.textActive && textToo) {
    host.setCanvasCursor(Qt::IBeamCursor);
  }
  if (focus) host.focusView();
}

void ToolsController::showPalette() {
  canvas_.edit.editMode = true;
  palette_.show();
  canvas_.host.focusView();
}

void ToolsController::hidePalette() {
  EditTools& edit = canvas_.edit;
  endPointerAction();
  text_.flushTextInput();
  canvas_.host.setCanvasCursor(QCursor());
  canvas_.host.markPointer({});
  edit.editMode = false;
  palette_.hide();
  edit.switchOff();
  mirror();
  canvas_.host.navigationKeysBack();
  canvas_.host.focusView();
}

void ToolsController::endAllTools() {
  endPointerAction();
  endTextTool();
  canvas_.host.setCanvasCursor(QCursor());
  canvas_.edit.switchOff();
  mirror();
  canvas_.erasePreview();
}

void ToolsController::switchTool(ToolKind tool, bool on) {
  EditTools& edit = canvas_.edit;
  ToolHost& host = canvas_.host;
  endPointerAction();
  if (tool == ToolKind::Text) {
    if (on) {
      startTextTool();
    } else {
      endTextTool();
      host.setCanvasCursor(QCursor());
      host.focusView();
    }
    return;
  }
  if (on) {
    endTextTool();
    edit.switchOff();
    (tool == ToolKind::Pen ? edit.penActive : edit.eyedropperActive) = true;
    host.setCanvasCursor(tool == ToolKind::Pen ? pencilCursor() : dropperCursor());
  } else {
    (tool == ToolKind::Pen ? edit.penActive : edit.eyedropperActive) = false;
    host.setCanvasCursor(QCursor());
  }
  mirror();
  canvas_.erasePreview();
  host.focusView();
}

void ToolsController::startTextTool() {
  EditTools& edit = canvas_.edit;
  canvas_.host.releaseNavigationKeys();
  if (edit.penActive) canvas_.erasePreview();
  edit.switchOff();
  edit.textActive = true;
  mirror();
  canvas_.host.setCanvasCursor(Qt::IBeamCursor);
  canvas_.host.focusView();
}

void ToolsController::chooseFont() {
  EditTools& edit = canvas_.edit;
  if (edit.penActive) canvas_.erasePreview();
  text_.flushTextInput();
  const std::optional<QFont> chosen = prompter_.chooseFont(&palette_, startFont());
  if (!chosen) return;
  edit.font = toolFont(*chosen);
  text_.useFont();
  // The dialog has no colour of its own here: the current colour stays.
  applyToolColour(edit.colour);
  startTextTool();
}

void ToolsController::applyToolColour(const QColor& colour) {
  canvas_.edit.colour = colour;
  text_.useColour();
  mirror();
  if (canvas_.edit.penActive) canvas_.erasePreview();
  if (entry_.isVisible()) entry_.setFocus();
}

void ToolsController::setPenWidthText(const QString& text) {
  canvas_.edit.penWidth = penWidthFrom(text);
  mirror();
  if (canvas_.edit.penActive) canvas_.erasePreview();
}

void ToolsController::pointerOverPalette(QWidget* control) {
  if (qobject_cast<QGroupBox*>(control)) return;
  if (canvas_.edit.strokePending) canvas_.bake();
  if (const std::optional<QString> hint = ToolPalette::hintFor(control))
    canvas_.host.setHint(*hint);
}

bool ToolsController::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &entry_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    endAllTools();
    return true;
  }
  return false;
}

void ToolsController::mirror() {
  palette_.mirror(canvas_.edit);
}

}  // namespace veltrix
