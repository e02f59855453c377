#include "platform/qt_prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>

namespace veltrix {
namespace {

QMessageBox::Icon toQtIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Information:
      return QMessageBox::Information;
    case PromptIcon::Warning:
      return QMessageBox::Warning;
    case PromptIcon::Critical:
      return QMessageBox::Critical;
    case PromptIcon::Question:
      return QMessageBox::Question;
    case PromptIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

PromptAnswer fromQtButton(int button) {
  switch (button) {
    case QMessageBox::Yes:
      return PromptAnswer::Yes;
    case QMessageBox::No:
      return PromptAnswer::No;
    case QMessageBox::Cancel:
      return PromptAnswer::Cancel;
    default:
      return PromptAnswer::Ok;
  }
}

void prepare(QFileDialog& dialog, const FileDialogRequest& request) {
  dialog.setWindowTitle(request.title);
  // The filter's own text is its name; Qt would add the patterns in brackets a second time.
  dialog.setNameFilter(request.filter);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  if (!request.initialFolder.isEmpty()) dialog.setDirectory(request.initialFolder);
  if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
  if (!request.defaultExtension.isEmpty()) dialog.setDefaultSuffix(request.defaultExtension);
}

}  // namespace

PromptAnswer QtPrompter::message(QWidget* owner, const QString& title, const QString& text,
                                 PromptIcon icon, PromptButtons buttons) {
  QMessageBox box(toQtIcon(icon), title, text, toQtButtons(buttons), owner);
  return fromQtButton(box.exec());
}

QString QtPrompter::openFile(QWidget* owner, const FileDialogRequest& request) {
  QFileDialog dialog(owner);
  prepare(dialog, request);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

QString QtPrompter::saveFile(QWidget* owner, const FileDialogRequest& request) {
  QFileDialog dialog(owner);
  prepare(dialog, request);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

QString QtPrompter::browseFolder(QWidget* owner, const QString& title) {
  return QFileDialog::getExistingDirectory(owner, title);
}

std::optional<QFont> QtPrompter::chooseFont(QWidget* owner, const QFont& initial) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, initial, owner);
  if (!ok) return std::nullopt;
  return font;
}

std::optional<QColor> QtPrompter::chooseColour(QWidget* owner, const QColor& initial) {
  const QColor colour = QColorDialog::getColor(initial, owner);
  if (!colour.isValid()) return std::nullopt;
  return colour;
}

}  // namespace veltrix
