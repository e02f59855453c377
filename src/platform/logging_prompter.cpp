#include "platform/logging_prompter.h"

#include <QFile>

namespace veltrix {

LoggingPrompter::LoggingPrompter(QString logFile) : logFile_(std::move(logFile)) {}

void LoggingPrompter::log(const QString& kind, const QString& title, const QString& text) const {
  QFile file(logFile_);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return;
  file.write((kind + '\t' + title + '\t' + text + '\n').toUtf8());
}

PromptAnswer LoggingPrompter::message(QWidget*, const QString& title, const QString& text,
                                      PromptIcon, PromptButtons buttons) {
  log(QStringLiteral("message"), title, text);
  switch (buttons) {
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
      return PromptAnswer::Yes;
    case PromptButtons::Ok:
    case PromptButtons::OkCancel:
      break;
  }
  return PromptAnswer::Ok;
}

QString LoggingPrompter::openFile(QWidget*, const FileDialogRequest& request) {
  log(QStringLiteral("open"), request.title, request.filter);
  return {};
}

QString LoggingPrompter::saveFile(QWidget*, const FileDialogRequest& request) {
  log(QStringLiteral("save"), request.title, request.filter);
  return {};
}

QString LoggingPrompter::browseFolder(QWidget*, const QString& title) {
  log(QStringLiteral("folder"), title, {});
  return {};
}

std::optional<QFont> LoggingPrompter::chooseFont(QWidget*, const QFont& initial) {
  log(QStringLiteral("font"), initial.family(), {});
  return std::nullopt;
}

std::optional<QColor> LoggingPrompter::chooseColour(QWidget*, const QColor& initial) {
  log(QStringLiteral("colour"), initial.name(), {});
  return std::nullopt;
}

}  // namespace veltrix
