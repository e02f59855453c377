// A prompter for runs with nobody at the screen: every message is answered OK at once and every
// dialog is cancelled.
#pragma once

#include "platform/prompter.h"

namespace veltrix::bench {

class SilentPrompter final : public Prompter {
 public:
  PromptAnswer message(QWidget*, const QString&, const QString&, PromptIcon,
                       PromptButtons) override {
    return PromptAnswer::Ok;
  }
  QString openFile(QWidget*, const FileDialogRequest&) override { return {}; }
  QString saveFile(QWidget*, const FileDialogRequest&) override { return {}; }
  QString browseFolder(QWidget*, const QString&) override { return {}; }
  std::optional<QFont> chooseFont(QWidget*, const QFont&) override { return {}; }
  std::optional<QColor> chooseColour(QWidget*, const QColor&) override { return {}; }
};

}  // namespace veltrix::bench
