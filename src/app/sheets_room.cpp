#include "app/sheets_room.h"

#include "app/program.h"
#include "platform/prompter.h"
#include "platform/utf8.h"
#include "sheets/texts.h"

namespace veltrix {

using namespace sheet_texts;

SheetsRoom::SheetsRoom(Program& program) : program_(program) {}

// The window has no owner, so it goes with the main window by hand.
SheetsRoom::~SheetsRoom() {
  delete window_.data();
}

void SheetsRoom::show(NamingMode mode) {
  if (window_) {
    window_->reword(mode);
    return;
  }
  window_ = new ExcelNamingWindow(program_.naming, program_.services.prompter, mode,
                                  [this] { return activeMode(); });
  window_->show();
  bringToFront();
}

void SheetsRoom::bringToFront() {
  if (!window_) return;
  window_->raise();
  window_->activateWindow();
}

void SheetsRoom::close() {
  if (window_) window_->close();
}

NamingMode SheetsRoom::activeMode() const {
  if (program_.batch.active) return NamingMode::Crop;
  return program_.quickShot.quickMode ? NamingMode::Camera : NamingMode::None;
}

std::optional<QString> SheetsRoom::nameForSave(NamingMode mode, QWidget* owner,
                                               const std::function<void()>& chooseAnotherRule) {
  Prompter& prompter = program_.services.prompter;
  const SpreadsheetNaming& naming = program_.naming;
  if (!window_ || !naming.windowOpen) {
    const PromptIcon icon = mode == NamingMode::Crop ? PromptIcon::Question : PromptIcon::None;
    if (prompter.message(owner, u8(kQuestionTitle), u8(kWorkbookNeeded), icon,
                         PromptButtons::YesNo) == PromptAnswer::Yes)
      show(mode);
    else
      chooseAnotherRule();
    return std::nullopt;
  }
  if (!naming.bookLoaded) {
    prompter.notify(owner, u8(kImportWorkbookFirst));
    bringToFront();
    return std::nullopt;
  }
  if (naming.currentName.isEmpty()) {
    prompter.notify(owner, u8(wordingOf(mode)->nameMissing));
    return std::nullopt;
  }
  return naming.currentName;
}

void SheetsRoom::advance() {
  if (window_) window_->advanceToNextRow();
}

}  // namespace veltrix
