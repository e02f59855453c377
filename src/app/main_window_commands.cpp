// The main window's commands that are not about the picture view or the frame: the tool
// palette, turning the picture, the camera, help, the home page and the about box.
#include <QWidget>

#include "app/batch_room.h"
#include "app/camera_room.h"
#include "app/help_file.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/texts.h"
#include "app/tools_room.h"
#include "platform/prompter.h"
#include "platform/utf8.h"
#include "view/frame_lines.h"
#include "view/picture_rotation.h"
#include "view/texts.h"
#include "view/view_canvas_widget.h"

namespace veltrix {

using namespace app_texts;

void MainWindow::togglePalette() {
  toolsRoom_->togglePalette();
}

// The toolbar has ended any stroke and committed typed text before the picture turns under it.
void MainWindow::rotatePicture(int degrees) {
  if (veltrix::rotatePicture(program_.document, program_.view, degrees,
                             frameLines(program_.frame, program_.output))) {
    showView();
    return;
  }
  program_.services.prompter.message(this, u8(view_texts::kRotateFailedTitle),
                                     u8(view_texts::kRotateFailed), PromptIcon::None,
                                     PromptButtons::Ok);
}

// The toolbar's camera leaves batch mode, keeping the task's place; the menu item does not.
void MainWindow::cameraCommand() {
  batchRoom_->controller().pauseForCamera();
  openCameraWindow();
}

void MainWindow::openCameraWindow() {
  cameraRoom_->open();
}

void MainWindow::helpCommand() {
  tellPageNotOpened(
      openHelp(program_.services.urlOpener,
               helpFileFolder(program_.shell.programFolder, program_.environment.configHome)));
}

void MainWindow::homePageCommand() {
  tellPageNotOpened(
      openHomePage(program_.services.urlOpener,
                   helpFileFolder(program_.shell.programFolder, program_.environment.configHome)));
}

// Without a browser or a handler for the page nothing appears: the user is told where the page
// is, to open it by hand.
void MainWindow::tellPageNotOpened(const QString& page) {
  if (page.isEmpty()) return;
  program_.services.prompter.notify(this, QString::fromUtf8(kPageNotOpened) + page);
}

void MainWindow::aboutCommand() {
  program_.services.prompter.message(this, QString::fromUtf8(kAboutTitle),
                                     QString::fromUtf8(kAboutText), PromptIcon::None,
                                     PromptButtons::Ok);
}

}  // namespace veltrix
