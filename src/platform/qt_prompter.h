// Prompter shown to a person: Qt message boxes and the standard Qt dialogs.
#pragma once

#include "platform/prompter.h"

namespace veltrix {

class QtPrompter final : public Prompter {
 public:
  PromptAnswer message(QWidget* owner, const QString& title, const QString& text, PromptIcon icon,
                       PromptButtons buttons) override;
  QString openFile(QWidget* owner, const FileDialogRequest& request) override;
  QString saveFile(QWidget* owner, const FileDialogRequest& request) override;
  QString browseFolder(QWidget* owner, const QString& title) override;
  std::optional<QFont> chooseFont(QWidget* owner, const QFont& initial) override;
  std::optional<QColor> chooseColour(QWidget* owner, const QColor& initial) override;
};

}  // namespace veltrix
