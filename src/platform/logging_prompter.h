// Prompter for unattended runs of the real program (VELTRIX_PROMPTER_LOG): every prompt
// is appended to a log file instead of waiting for a person, and answered at once with
// the first button of a message box or a cancelled dialog.
#pragma once

#include "platform/prompter.h"

namespace veltrix {

class LoggingPrompter final : public Prompter {
 public:
  explicit LoggingPrompter(QString logFile);

  PromptAnswer message(QWidget* owner, const QString& title, const QString& text, PromptIcon icon,
                       PromptButtons buttons) override;
  QString openFile(QWidget* owner, const FileDialogRequest& request) override;
  QString saveFile(QWidget* owner, const FileDialogRequest& request) override;
  QString browseFolder(QWidget* owner, const QString& title) override;
  std::optional<QFont> chooseFont(QWidget* owner, const QFont& initial) override;
  std::optional<QColor> chooseColour(QWidget* owner, const QColor& initial) override;

 private:
  void log(const QString& kind, const QString& title, const QString& text) const;

  QString logFile_;
};

}  // namespace veltrix
