#include "scripted_prompter.h"

namespace veltrix::test {
namespace {

template <typename T>
T takeFront(std::deque<T>& script, T fallback) {
  if (script.empty()) return fallback;
  T value = std::move(script.front());
  script.pop_front();
  return value;
}

PromptAnswer firstButton(PromptButtons buttons) {
  return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
             ? PromptAnswer::Yes
             : PromptAnswer::Ok;
}

}  // namespace

PromptAnswer ScriptedPrompter::message(QWidget*, const QString& title, const QString& text,
                                       PromptIcon icon, PromptButtons buttons) {
  records.push_back({QStringLiteral("message"), title, text, icon, buttons, {}});
  return takeFront(answers, firstButton(buttons));
}

QString ScriptedPrompter::openFile(QWidget*, const FileDialogRequest& request) {
  records.push_back({QStringLiteral("open"), request.title, {}, {}, {}, request});
  return takeFront(paths, QString());
}

QString ScriptedPrompter::saveFile(QWidget*, const FileDialogRequest& request) {
  records.push_back({QStringLiteral("save"), request.title, {}, {}, {}, request});
  return takeFront(paths, QString());
}

QString ScriptedPrompter::browseFolder(QWidget*, const QString& title) {
  records.push_back({QStringLiteral("folder"), title, {}, {}, {}, {}});
  return takeFront(paths, QString());
}

std::optional<QFont> ScriptedPrompter::chooseFont(QWidget*, const QFont&) {
  records.push_back({QStringLiteral("font"), {}, {}, {}, {}, {}});
  return takeFront(fonts, std::optional<QFont>());
}

std::optional<QColor> ScriptedPrompter::chooseColour(QWidget*, const QColor&) {
  records.push_back({QStringLiteral("colour"), {}, {}, {}, {}, {}});
  return takeFront(colours, std::optional<QColor>());
}

std::vector<PromptRecord> ScriptedPrompter::messages() const {
  std::vector<PromptRecord> result;
  for (const PromptRecord& record : records)
    if (record.kind == QLatin1String("message")) result.push_back(record);
  return result;
}

}  // namespace veltrix::test
