// Prompter double: records every prompt and answers from scripts the test fills in.
// With an empty script a message gets its first button and a dialog is cancelled.
#pragma once

#include <deque>
#include <vector>

#include "platform/prompter.h"

namespace veltrix::test {

struct PromptRecord {
  QString kind;  // "message", "open", "save", "folder", "font", "colour"
  QString title;
  QString text;
  PromptIcon icon = PromptIcon::None;
  PromptButtons buttons = PromptButtons::Ok;
  FileDialogRequest request;
};

class ScriptedPrompter final : public Prompter {
 public:
  std::vector<PromptRecord> records;
  std::deque<PromptAnswer> answers;
  std::deque<QString> paths;  // answers of the file dialogs and the folder browser
  std::deque<std::optional<QFont>> fonts;
  std::deque<std::optional<QColor>> colours;

  PromptAnswer message(QWidget* owner, const QString& title, const QString& text, PromptIcon icon,
                       PromptButtons buttons) override;
  QString openFile(QWidget* owner, const FileDialogRequest& request) override;
  QString saveFile(QWidget* owner, const FileDialogRequest& request) override;
  QString browseFolder(QWidget* owner, const QString& title) override;
  std::optional<QFont> chooseFont(QWidget* owner, const QFont& initial) override;
  std::optional<QColor> chooseColour(QWidget* owner, const QColor& initial) override;

  std::vector<PromptRecord> messages() const;
};

}  // namespace veltrix::test
