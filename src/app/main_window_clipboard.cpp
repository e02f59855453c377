// The view canvas's clipboard keys: a picture pasted in as a load shows one, and the frame's
// pixels copied out exactly as a crop would save them.
#include <QClipboard>
#include <QGuiApplication>

#include "app/main_window.h"
#include "app/program.h"
#include "app/tools_room.h"
#include "save/frame_grab.h"
#include "tools/tools_controller.h"
#include "view/clipboard_picture.h"
#include "view/frame_lines.h"

namespace veltrix {

// The clipboard is read before anything changes, so a paste of nothing usable keeps the
// picture. A pasted picture has no file: the previous path and typed text that waits to be
// committed stay as they are, and a batch crops it as a picture from outside its task.
void MainWindow::pasteFromClipboard() {
  std::optional<QImage> picture = clipboardPicture(QGuiApplication::clipboard()->mimeData());
  if (!picture) return;
  endPointerAction();
  veltrix::showLoadedPicture(program_.document, program_.view,
                             LoadedPicture{std::move(*picture), {}, {}},
                             frameLines(program_.frame, program_.output));
  showView();
  notePastedPicture(program_.batch);
  if (toolsRoom_) toolsRoom_->controller().restoreActiveTool(false, false);
}

// Typed text and a stroke are part of what the user sees in the frame, as for a save.
void MainWindow::copyFrameToClipboard() {
  endPointerAction();
  flushTextInput();
  const QImage framed =
      grabFrame(program_.view.viewCanvas, frameLines(program_.frame, program_.output).interior);
  if (!framed.isNull()) QGuiApplication::clipboard()->setImage(framed);
}

}  // namespace veltrix
