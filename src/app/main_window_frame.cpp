// The main window around the capture frame: what the size panel asks of the window, and the
// frame's drags, move buttons, nudges and colour.
#include <QAbstractButton>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>

#include "app/hints.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/status_bar.h"
#include "app/texts.h"
#include "output/output_size.h"
#include "output/size_panel.h"
#include "output/size_type_combo.h"
#include "platform/prompter.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"
#include "view/view_canvas_widget.h"
#include "view/view_render.h"
#include "widgets/colour_picker.h"

namespace veltrix {

using namespace app_texts;

// A held move button repeats on a 5 ms timer.
constexpr int kMoveRepeatMs = 5;

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
  refreshFrame();
}

void MainWindow::centreFrame() {
  veltrix::centreFrame(program_.frame, program_.view.centreX, program_.view.centreY,
                       program_.output.pixelWidth, program_.output.pixelHeight);
}

void MainWindow::refuseForScreen() {
  showMessage(kScreenTooSmall);
}

void MainWindow::persistSizes(const QList<QPair<const char*, QString>>& keys) {
  const BatchTask& batch = program_.batch;
  if (!batch.active || !batch.keepSettings) return;
  const SettingsStore store(program_.shell.settingsFile);
  for (const auto& [key, value] : keys)
    store.write(QString::fromUtf8(kBatchSection), QString::fromUtf8(key), value);
}

// The camera window follows the output size once there is a camera window to follow it.
void MainWindow::fitCameraToOutput(SizeChange) {}

void MainWindow::connectFrameControls() {
  for (int index : {SizePanel::kPixelPage, SizePanel::kDpiPage}) {
    const PanelPage& page = sizePanel_->page(index);
    for (int button = 0; button < 4; ++button) {
      const MoveDirection direction = SizePanel::directionOf(button);
      connect(page.moveButtons[static_cast<size_t>(button)], &QAbstractButton::pressed, this,
              [this, direction] { pressMoveButton(direction); });
      connect(page.moveButtons[static_cast<size_t>(button)], &QAbstractButton::released, this,
              [this, index] { releaseMoveButton(index); });
    }
    // The move buttons show arrows and the picker a colour: their hints tell screen readers
    // what they are for.
    page.framePicker->setAccessibleName(controlHint(page.framePicker->objectName()));
    for (QAbstractButton* button : page.moveButtons)
      button->setAccessibleName(controlHint(button->objectName()));
    connect(page.framePicker, &ColourPicker::colourChanged, this,
            [this, index](const QColor& colour) { changeFrameColour(index, colour); });
    connect(page.cropButton, &QAbstractButton::clicked, this, &MainWindow::saveCrop);
  }
}

void MainWindow::persistJpgLimit(const QString& text) {
  const BatchTask& batch = program_.batch;
  const QuickShotSettings& quick = program_.quickShot;
  const QString jpg = QString::fromUtf8(kDefaultSaveFormat);
  const QString key = QString::fromUtf8(kJpgSizeKey);
  const SettingsStore store(program_.shell.settingsFile);
  if (batch.active && batch.keepSettings && batch.saveFormat == jpg)
    store.write(QString::fromUtf8(kBatchSection), key, text);
  if (quick.quickMode && quick.quickKeepSettings && quick.quickSaveFormat == jpg)
    store.write(QString::fromUtf8(kQuickShotSection), key, text);
}

void MainWindow::focusView() {
  viewCanvas_->setFocus();
}

void MainWindow::showMessage(const char* message) {
  program_.services.prompter.notify(this, QString::fromUtf8(message));
}

void MainWindow::refreshFrame() {
  placeFrameCanvas();
  refreshFrameOverlay(program_.view, program_.document, frameLines());
  viewCanvas_->update();
}

void MainWindow::pressOnView(QPoint at) {
  viewCanvas_->setFocus();
  if (!program_.document.present) return;
  const FrameDrag region = frameRegionAt(at, frameLines().interior);
  if (region == FrameDrag::None) return;
  program_.frame.drag = region;
  program_.frame.lastMouse = at;
}

void MainWindow::moveOnView(QPoint at) {
  CaptureFrame& frame = program_.frame;
  // The canvas keeps the mouse while a button is held; a drag that reaches another control
  // ends there, as the hint of that control ends it.
  if (frame.drag != FrameDrag::None && !viewCanvas_->rect().contains(at)) {
    const QPoint inClient = viewCanvas_->mapTo(client_, at);
    QWidget* under = client_->childAt(inClient);
    if (under && under != viewCanvas_ && !viewCanvas_->isAncestorOf(under)) {
      showHintFor(under, under->mapFrom(client_, inClient));
      return;
    }
  }
  if (!program_.document.present) {
    showCanvasHint();
    return;
  }
  if (frame.drag == FrameDrag::Move) {
    frame.interiorLeft += at.x() - frame.lastMouse.x();
    frame.interiorTop += at.y() - frame.lastMouse.y();
    frame.lastMouse = at;
    refreshFrame();
  } else if (frame.drag != FrameDrag::None) {
    dragFrameEdge(at);
  } else {
    viewCanvas_->setCursor(cursorFor(frameRegionAt(at, frameLines().interior)));
  }
  showCanvasHint();
}

void MainWindow::showCanvasHint() {
  const EditTools& edit = program_.edit;
  setHint(
      canvasHint({program_.document.present, textEntry_->isVisible(), program_.batch.keysRegistered,
                  edit.penActive, edit.strokePending, edit.textActive, edit.eyedropperActive}));
}

void MainWindow::showHintFor(QWidget* under, QPoint at) {
  const bool keys = program_.batch.keysRegistered;
  for (QWidget* widget = under; widget && widget != this; widget = widget->parentWidget()) {
    if (widget == viewCanvas_) return;  // the canvas shows its own hint as the mouse moves
    const QString name = widget->objectName();
    if (!hintKeepsPointerAction(name)) endPointerAction();
    if (widget == sizePanel_->page(SizePanel::kPixelPage).cropButton ||
        widget == sizePanel_->page(SizePanel::kDpiPage).cropButton) {
      setHint(cropButtonHint(keys));
      return;
    }
    if (widget == statusBar_) {
      const int x = widget == under ? at.x() : under->mapTo(statusBar_, at).x();
      const ShellState& shell = program_.shell;
      setHint(overBatchIndicator(x, shell.lastOuterWidth, shell.widthCorrection)
                  ? batchIndicatorHint()
                  : generalHint(keys, program_.document.present));
      return;
    }
    const QString fixed = controlHint(name);
    if (!fixed.isEmpty()) {
      setHint(fixed);
      return;
    }
    if (widget == toolbar_ || widget == sizePanel_ || widget == client_) {
      setHint(generalHint(keys, program_.document.present));
      return;
    }
  }
}

void MainWindow::dragFrameEdge(QPoint at) {
  CaptureFrame& frame = program_.frame;
  OutputSpec& output = program_.output;
  sizePanel_->sizeTypeCombo()->setCurrentIndex(kCustomSizeIndex);
  const ResizeStep step = resizeStep(frame.drag, frameLines().interior,
                                     at.x() - frame.lastMouse.x(), at.y() - frame.lastMouse.y());
  if (!step.allowed) {
    endPointerAction();
    return;
  }
  frame.interiorLeft = step.interior.left();
  frame.interiorTop = step.interior.top();
  output.pixelWidth = step.interior.width();
  output.pixelHeight = step.interior.height();
  sizeController_->showFrameSize(dragChangesWidth(frame.drag), dragChangesHeight(frame.drag));
  frame.lastMouse = at;
  refreshFrame();
}

void MainWindow::endPointerAction() {
  FrameDrag& drag = program_.frame.drag;
  const FrameDrag ended = drag;
  drag = FrameDrag::None;
  if (ended == FrameDrag::None || ended == FrameDrag::Move) return;
  const bool width = dragChangesWidth(ended);
  const bool height = dragChangesHeight(ended);
  fitCameraToOutput(width && height ? SizeChange::SizeChanged
                    : width         ? SizeChange::WidthChanged
                                    : SizeChange::HeightChanged);
}

void MainWindow::nudgeFrame(MoveDirection direction) {
  CaptureFrame& frame = program_.frame;
  const QPoint moved = nudged({frame.interiorLeft, frame.interiorTop}, direction);
  frame.interiorLeft = moved.x();
  frame.interiorTop = moved.y();
  refreshFrame();
}

void MainWindow::pressMoveButton(MoveDirection direction) {
  if (!program_.document.present) {
    showMessage(kOpenPictureFirst);
    return;
  }
  nudgeFrame(direction);
  program_.frame.moveDirection = direction;
  program_.frame.repeatTicks = 0;
  moveTimer_->start(kMoveRepeatMs);
}

// The first repeated step comes on the tenth tick, then one step a tick.
void MainWindow::repeatMove() {
  if (!program_.document.present) {
    moveTimer_->stop();
    return;
  }
  CaptureFrame& frame = program_.frame;
  ++frame.repeatTicks;
  if (frame.repeatTicks >= 10 && frame.moveDirection != MoveDirection::None)
    nudgeFrame(frame.moveDirection);
}

void MainWindow::releaseMoveButton(int page) {
  program_.frame.moveDirection = MoveDirection::None;
  program_.frame.repeatTicks = 0;
  moveTimer_->stop();
  moveTimer_->setInterval(0);
  if (program_.batch.active)
    sizePanel_->page(page).cropButton->setFocus();
  else
    viewCanvas_->setFocus();
}

// The two pickers show one colour; only the one on the page shown acts, so copying the colour
// into the other one does nothing more.
void MainWindow::changeFrameColour(int page, const QColor& colour) {
  if (page != sizePanel_->currentPage()) return;
  const int other = page == SizePanel::kPixelPage ? SizePanel::kDpiPage : SizePanel::kPixelPage;
  sizePanel_->page(other).framePicker->setColour(colour);
  if (!program_.document.present) return;
  refreshFrameOverlay(program_.view, program_.document, frameLines());
  viewCanvas_->update();
  viewCanvas_->setFocus();
}

}  // namespace veltrix
