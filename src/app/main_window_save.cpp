// The save command: the picture inside the capture frame saved through the save dialog or, in
// batch mode, under the batch naming rule; the window shows what the save reports.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/batch_room.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/texts.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/sound.h"
#include "platform/utf8.h"
#include "save/name_popup.h"
#include "view/frame_lines.h"
#include "view/view_canvas_widget.h"

namespace veltrix {
namespace {

using namespace app_texts;

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

CropSource MainWindow::cropSource() const {
  return {program_.view.viewCanvas, frameLines(program_.frame, program_.output).interior,
          program_.output.jpgLimitKb, program_.output.dpi};
}

void MainWindow::tell(const std::optional<CropNotice>& notice) {
  if (notice) program_.services.prompter.notify(this, notice->text, notice->icon);
}

void MainWindow::saveSingleCrop() {
  Prompter& prompter = program_.services.prompter;
  if (!program_.document.present) {
    prompter.notify(this, u8(kOpenPictureFirst), PromptIcon::Information);
    viewCanvas_->setFocus();
    return;
  }
  // A frame without area gives no picture: the user is told before choosing a file.
  if (!frameHasArea(cropSource().interior)) {
    tell(cropSaveNotice({CropFailure::EmptyFrame, {}}, false));
    return;
  }
  FileDialogRequest request;
  request.title = u8(kSaveTitle);
  request.filter = u8(kSaveFilter);
  request.initialFolder = desktopFolder();
  request.defaultExtension = QStringLiteral("jpg");
  const QString path = prompter.saveFile(this, request);
  if (path.isEmpty()) return;
  const CropSaved saved = saveCropAs(cropSource(), path);
  tell(cropSaveNotice(saved, false));
  if (saved.saved()) viewCanvas_->setFocus();
}

void MainWindow::saveBatchCrop() {
  const BatchTask& batch = program_.batch;
  if (batch.namingRule == NamingRule::Spreadsheet) {
    // The names come from a workbook, which has to be imported before anything is saved.
    program_.services.prompter.message(this, u8(kQuestionTitle), u8(kWorkbookNeeded),
                                       PromptIcon::Question, PromptButtons::YesNo);
    return;
  }
  // A task picture that was lost or did not decode leaves no picture: nothing may be saved
  // under its name.
  if (!program_.document.present) {
    program_.services.prompter.notify(this, u8(kOpenPictureFirst), PromptIcon::Information);
    return;
  }
  const NamingInputs inputs =
      batchNamingInputs(batch, program_.shell.settingsFolder, program_.services.clock.now());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const CropSaved saved = saveCropByRule(cropSource(), batch.namingRule, inputs);
  if (saved.saved() && batch.cropSound) program_.services.sound.play(cropSound());
  // Only a picture whose file was written is recorded as cropped.
  if (saved.saved()) batchRoom_->controller().markTaskPictureDone();
  QApplication::restoreOverrideCursor();
  tell(cropSaveNotice(saved, true));

  if (saved.saved() && batch.namingRule == NamingRule::AskEveryTime) {
    // The name is typed with the letters the navigation keys would take.
    batchRoom_->controller().releaseNavigationKeys();
    NamePopup popup(program_.services.prompter, {true, inputs.folder, inputs.ext, saved.path},
                    this);
    popup.exec();
    batchRoom_->keysBack();
  }
}

}  // namespace veltrix
