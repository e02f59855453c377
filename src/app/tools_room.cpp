#include "app/tools_room.h"

#include <QLineEdit>

#include "app/batch_room.h"
#include "app/main_window.h"
#include "app/program.h"
#include "tools/tool_palette.h"
#include "tools/tools_controller.h"
#include "view/view_canvas_widget.h"

namespace veltrix {

ToolsRoom::ToolsRoom(Program& program, MainWindow& window, ViewCanvasWidget& viewCanvas,
                     QLineEdit& entry, BatchRoom& batch)
    : program_(program), window_(window), viewCanvas_(viewCanvas), batch_(batch) {
  palette_ = new ToolPalette(&window, program.services.prompter);
  controller_ = new ToolsController({program.edit, program.view, program.document, *this},
                                    *palette_, entry, program.services.prompter, &window);
}

ToolsRoom::~ToolsRoom() {
  delete controller_;
  delete palette_;
}

void ToolsRoom::togglePalette() {
  if (!program_.document.present) {
    window_.askForPicture();
    return;
  }
  if (program_.edit.editMode)
    controller_->hidePalette();
  else
    controller_->showPalette();
}

FrameLines ToolsRoom::frameLines() const {
  return veltrix::frameLines(program_.frame, program_.output);
}

void ToolsRoom::showView() {
  window_.showView();
}

void ToolsRoom::setCanvasCursor(const QCursor& cursor) {
  viewCanvas_.setCursor(cursor);
}

void ToolsRoom::markPointer(std::function<void(QPainter&)> mark) {
  viewCanvas_.setPointerMark(std::move(mark));
}

void ToolsRoom::focusView() {
  viewCanvas_.setFocus();
}

void ToolsRoom::setHint(const QString& hint) {
  window_.setHint(hint);
}

void ToolsRoom::releaseNavigationKeys() {
  batch_.controller().releaseNavigationKeys();
}

void ToolsRoom::navigationKeysBack() {
  batch_.keysBack();
}

}  // namespace veltrix
