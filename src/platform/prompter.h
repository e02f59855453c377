// The program's questions to the user: message boxes and the standard dialogs.
// Windows ask through this interface so that tests can answer from a script.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace veltrix {

enum class PromptIcon { None, Information, Warning, Critical, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
  QString title;
  QString filter;         // Qt filter text, e.g. "图片文件 (*.jpg *.png)"
  QString initialFolder;  // empty: the dialog's own choice
  QString initialName;
  QString defaultExtension;  // without the dot; added when the user types none
};

// The titles of the program's message boxes.
inline constexpr const char* kNoticeTitle = "提示";
inline constexpr const char* kQuestionTitle = "询问";

class Prompter {
 public:
  virtual ~Prompter() = default;

  virtual PromptAnswer message(QWidget* owner, const QString& title, const QString& text,
                               PromptIcon icon, PromptButtons buttons) = 0;
  // Empty text when the user cancels.
  virtual QString openFile(QWidget* owner, const FileDialogRequest& request) = 0;
  virtual QString saveFile(QWidget* owner, const FileDialogRequest& request) = 0;
  virtual QString browseFolder(QWidget* owner, const QString& title) = 0;
  virtual std::optional<QFont> chooseFont(QWidget* owner, const QFont& initial) = 0;
  virtual std::optional<QColor> chooseColour(QWidget* owner, const QColor& initial) = 0;

  // A notice: title "提示" and an OK button.
  void notify(QWidget* owner, const QString& text, PromptIcon icon = PromptIcon::None) {
    message(owner, QString::fromUtf8(kNoticeTitle), text, icon, PromptButtons::Ok);
  }
};

}  // namespace veltrix
