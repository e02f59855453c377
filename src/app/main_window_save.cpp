// The save command: the picture inside the capture frame written as a file of exactly the
// output size, through the save dialog or, in batch mode, under the batch naming rule.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/main_window.h"
#include "app/program.h"
#include "app/texts.h"
#include "platform/clock.h"
#include "platform/image_encoder.h"
#include "platform/prompter.h"
#include "platform/sound.h"
#include "platform/utf8.h"
#include "save/frame_grab.h"
#include "save/jpeg_size_target.h"
#include "save/name_popup.h"
#include "save/output_naming.h"
#include "save/picture_encoding.h"
#include "settings/naming_rules.h"
#include "view/view_canvas_widget.h"

namespace veltrix {
namespace {

using namespace app_texts;

// The extension as the save path names it: after its last ".", lower case.
QString extensionOf(const QString& path) {
  const qsizetype dot = path.lastIndexOf(u'.');
  return dot < 0 ? path.toLower() : path.sliced(dot).toLower();
}

// The desktop, or the home folder on systems that have no desktop folder.
QString desktopFolder() {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

QByteArray cropSound() {
  QFile clip(QStringLiteral(":/sounds/crop.wav"));
  return clip.open(QIODevice::ReadOnly) ? clip.readAll() : QByteArray();
}

}  // namespace

void MainWindow::saveCrop() {
  endPointerAction();
  if (program_.batch.active)
    saveBatchCrop();
  else
    saveSingleCrop();
}

bool MainWindow::frameCanBeSaved() {
  if (program_.output.pixelWidth > 0 && program_.output.pixelHeight > 0) return true;
  program_.services.prompter.notify(this, u8(kEmptyFrame), PromptIcon::Information);
  return false;
}

bool MainWindow::writeCrop(const QString& path, const QString& ext) {
  const std::optional<EncodeResult> encoded =
      encodePicture(grabFrame(program_.view.viewCanvas, frameLines().interior), ext,
                    program_.output.jpgLimitKb, program_.output.dpi);
  if (!encoded) {
    program_.services.prompter.notify(this, u8(kNoPictureMade), PromptIcon::Information);
    return false;
  }
  if (!writeBytesToFile(path, encoded->bytes)) {
    program_.services.prompter.notify(this, cannotWriteMessage(path), PromptIcon::Information);
    return false;
  }
  if (!encoded->targetMet)
    program_.services.prompter.notify(this, sizeTargetMessage(encoded->smallestBytes));
  return true;
}

void MainWindow::saveSingleCrop() {
  Prompter& prompter = program_.services.prompter;
  if (!program_.document.present) {
    prompter.notify(this, u8(kOpenPictureFirst), PromptIcon::Information);
    viewCanvas_->setFocus();
    return;
  }
  if (!frameCanBeSaved()) return;
  FileDialogRequest request;
  request.title = u8(kSaveTitle);
  request.filter = u8(kSaveFilter);
  request.initialFolder = desktopFolder();
  request.defaultExtension = QStringLiteral("jpg");
  const QString path = prompter.saveFile(this, request);
  if (path.isEmpty()) return;
  const QString ext = extensionOf(path);
  if (!formatForExtension(ext)) {
    prompter.notify(this, u8(kUnknownSaveType), PromptIcon::Information);
    return;
  }
  writeCrop(path, ext);
  viewCanvas_->setFocus();
}

void MainWindow::saveBatchCrop() {
  const BatchTask& batch = program_.batch;
  const NamingRule rule = batch.namingRule;
  if (rule == NamingRule::Spreadsheet) {
    // The names come from a workbook, which has to be imported before anything is saved.
    program_.services.prompter.message(this, u8(kQuestionTitle), u8(kWorkbookNeeded),
                                       PromptIcon::Question, PromptButtons::YesNo);
    return;
  }
  if (!frameCanBeSaved()) return;
  if (!formatForExtension(batch.saveFormat)) {
    program_.services.prompter.notify(this, u8(kUnknownBatchFormat), PromptIcon::Information);
    return;
  }
  NamingInputs inputs;
  inputs.folder = batch.saveFolder;
  inputs.ext = batch.saveFormat.toLower();
  inputs.customPrefix = batch.customName;
  inputs.sourceName = batch.pictureOrigin == PictureOrigin::FromTask
                          ? batch.currentName
                          : QFileInfo(batch.userPicturePath).fileName();
  inputs.settingsFolder = program_.shell.settingsFolder;
  inputs.now = program_.services.clock.now();
  const QString path = makeOutputName(rule, inputs);

  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (batch.cropSound) program_.services.sound.play(cropSound());
  const bool written = writeCrop(path, inputs.ext);
  QApplication::restoreOverrideCursor();

  if (written && rule == NamingRule::AskEveryTime) {
    NamePopup popup(program_.services.prompter, {true, inputs.folder, inputs.ext, path}, this);
    popup.exec();
  }
}

}  // namespace veltrix
