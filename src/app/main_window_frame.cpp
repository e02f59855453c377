// The main window around the capture frame: what the size panel and the frame controller ask of
// the window, and the wiring of the frame's move buttons and colour pickers.
#include <QAbstractButton>

#include "app/camera_room.h"
#include "app/hints.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/texts.h"
#include "app/tools_room.h"
#include "output/size_panel.h"
#include "platform/prompter.h"
#include "platform/utf8.h"
#include "tools/tools_controller.h"
#include "view/view_canvas_widget.h"
#include "view/view_render.h"
#include "widgets/colour_picker.h"

namespace veltrix {

using namespace app_texts;

SizeRoom MainWindow::room() const {
  const ShellState& shell = program_.shell;
  return {viewCanvas_->size(), QSize(shell.screenWidth, shell.screenHeight), shell.widthCorrection,
          shell.heightCorrection};
}

QSize MainWindow::outerSize() const {
  return size();
}

// A size the window already has brings no resize event, yet the frame must follow the new
// output size all the same.
void MainWindow::resizeOuter(QSize outer) {
  if (outer == size())
    layoutMainWindow();
  else
    resize(outer);
}

void MainWindow::centreOnScreen() {
  const QSize frame = frameGeometry().size();
  move((program_.shell.screenWidth - frame.width()) / 2,
       (program_.shell.screenHeight - frame.height()) / 2);
}

void MainWindow::showFrame() {
  placeFrameCanvas();
  refreshFrameOverlay(program_.view, program_.document,
                      frameLines(program_.frame, program_.output));
  viewCanvas_->update();
}

void MainWindow::centreFrame() {
  veltrix::centreFrame(program_.frame, program_.view.centreX, program_.view.centreY,
                       program_.output.pixelWidth, program_.output.pixelHeight);
}

void MainWindow::refuseForScreen() {
  program_.services.prompter.notify(this, u8(kScreenTooSmall));
}

void MainWindow::persistSizes(const QList<QPair<const char*, QString>>& keys) {
  keepBatchSizes(program_.batch, SettingsStore(program_.shell.settingsFile), keys);
}

void MainWindow::persistJpgLimit(const QString& text) {
  const SettingsStore store(program_.shell.settingsFile);
  keepBatchJpgLimit(program_.batch, store, text);
  keepQuickShotJpgLimit(program_.quickShot, store, text);
}

void MainWindow::fitCameraToOutput(SizeChange change) {
  cameraRoom_->fitToOutput(change);
}

void MainWindow::focusView() {
  viewCanvas_->setFocus();
}

void MainWindow::chooseCustomSize() {
  sizeController_->selectCustom();
}

void MainWindow::showDraggedSize(bool width, bool height) {
  sizeController_->showFrameSize(width, height);
}

void MainWindow::setCanvasCursor(Qt::CursorShape shape) {
  viewCanvas_->setCursor(shape);
}

void MainWindow::askForPicture() {
  program_.services.prompter.notify(this, u8(kOpenPictureFirst));
}

void MainWindow::placeFrameCanvas() {
  frameCanvas_->setGeometry(frameLines(program_.frame, program_.output).interior);
}

void MainWindow::connectFrameControls() {
  for (int index : {SizePanel::kPixelPage, SizePanel::kDpiPage}) {
    const PanelPage& page = sizePanel_->page(index);
    for (int button = 0; button < 4; ++button) {
      QAbstractButton* move = page.moveButtons[static_cast<size_t>(button)];
      const MoveDirection direction = SizePanel::directionOf(button);
      connect(move, &QAbstractButton::pressed, frameController_, [this, direction] {
        if (program_.document.present) flushTextInput();
        frameController_->pressMoveButton(direction);
      });
      // The keys go to the crop button in a batch, where the next press saves, else back to the
      // picture.
      connect(move, &QAbstractButton::released, this, [this, page] {
        frameController_->releaseMoveButton();
        if (program_.batch.active)
          page.cropButton->setFocus();
        else
          viewCanvas_->setFocus();
      });
      // The button shows an arrow: its hint tells screen readers what it is for.
      move->setAccessibleName(controlHint(move->objectName()));
    }
    page.framePicker->setAccessibleName(controlHint(page.framePicker->objectName()));
    connect(page.framePicker, &ColourPicker::colourChanged, this,
            [this, index](const QColor& colour) { changeFrameColour(index, colour); });
    connect(page.cropButton, &QAbstractButton::clicked, this, &MainWindow::saveCrop);
  }
}

// The two pickers show one colour; only the one on the page shown acts, so copying the colour
// into the other one does nothing more.
void MainWindow::changeFrameColour(int page, const QColor& colour) {
  if (page != sizePanel_->currentPage()) return;
  const int other = page == SizePanel::kPixelPage ? SizePanel::kDpiPage : SizePanel::kPixelPage;
  sizePanel_->page(other).framePicker->setColour(colour);
  if (program_.document.present) flushTextInput();
  frameController_->setColour(colour);
  cameraRoom_->setFrameBarColour(colour);
  if (program_.document.present) viewCanvas_->setFocus();
}

void MainWindow::endPointerAction() {
  if (toolsRoom_) toolsRoom_->controller().endPointerAction();
  frameController_->endPointerAction();
}

}  // namespace veltrix
