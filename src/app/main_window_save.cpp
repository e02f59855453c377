// The save command: the picture inside the capture frame saved through the save dialog, or in
// batch mode by the batch room; the window shows what the save reports.
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/batch_room.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/texts.h"
#include "app/tools_room.h"
#include "platform/prompter.h"
#include "platform/utf8.h"
#include "tools/tools_controller.h"
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

}  // namespace

void MainWindow::saveCrop() {
  endPointerAction();
  // Typed text is part of what the user sees in the frame, so it is saved with it.
  if (toolsRoom_) toolsRoom_->controller().endTextTool();
  if (program_.batch.active)
    batchRoom_->saveCrop(cropSource());
  else
    saveSingleCrop();
}

CropSource MainWindow::cropSource() const {
  return {program_.view.viewCanvas, frameLines(program_.frame, program_.output).interior,
          program_.output.jpgLimitKb, program_.output.dpi};
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
    tellCropNotice(program_.services.prompter, this,
                   cropSaveNotice({CropFailure::EmptyFrame, {}}, false));
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
  tellCropNotice(program_.services.prompter, this, cropSaveNotice(saved, false));
  if (saved.saved()) viewCanvas_->setFocus();
}

}  // namespace veltrix
