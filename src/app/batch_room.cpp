#include "app/batch_room.h"

#include <QApplication>
#include <QFile>

#include "app/camera_room.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/sheets_room.h"
#include "app/status_bar.h"
#include "app/texts.h"
#include "batch/batch_settings_window.h"
#include "output/kept_size.h"
#include "output/size_controller.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/sound.h"
#include "platform/utf8.h"
#include "save/name_popup.h"
#include "settings/settings_keys.h"

namespace veltrix {
namespace {

QByteArray cropSound() {
  QFile clip(QStringLiteral(":/sounds/crop.wav"));
  return clip.open(QIODevice::ReadOnly) ? clip.readAll() : QByteArray();
}

}  // namespace

BatchRoom::BatchRoom(Program& program, MainWindow& window, SizeController& sizes,
                     StatusBar& statusBar, CameraRoom& camera, SheetsRoom& sheets)
    : program_(program),
      window_(window),
      sizes_(sizes),
      statusBar_(statusBar),
      camera_(camera),
      sheets_(sheets),
      controller_(program.batch, program.output, program.services.hotkeys,
                  program.services.prompter, *this, &window, program.shell.settingsFolder) {
  // A toggle without the mouse is a left press on the indicator; the indicator then shows the
  // batch as it stands, whatever the press led to.
  QObject::connect(&statusBar, &StatusBar::indicatorToggled, &statusBar, [this] {
    controller_.indicatorPressed(false);
    statusBar_.setBatchIndicator(program_.batch.indicatorOn);
  });
}

void BatchRoom::keysBack() {
  if (program_.batch.active && !program_.batch.keysRegistered) controller_.registerNavigationKeys();
}

void BatchRoom::saveCrop(const CropSource& source) {
  const BatchTask& batch = program_.batch;
  Prompter& prompter = program_.services.prompter;
  std::optional<QString> sheetName;
  if (batch.namingRule == NamingRule::Spreadsheet) {
    sheetName = sheets_.nameForSave(NamingMode::Crop, &window_, [this] { openSettingsWindow(); });
    if (!sheetName) return;
  }
  // A task picture that was lost or did not decode leaves no picture: nothing may be saved
  // under its name.
  if (!program_.document.present) {
    prompter.notify(&window_, u8(app_texts::kOpenPictureFirst), PromptIcon::Information);
    return;
  }
  NamingInputs inputs =
      batchNamingInputs(batch, program_.shell.settingsFolder, program_.services.clock.now());
  inputs.spreadsheetName = sheetName.value_or(QString());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const CropSaved saved = saveCropByRule(source, batch.namingRule, inputs);
  if (saved.saved() && batch.cropSound) program_.services.sound.play(cropSound());
  const bool asksName = batch.namingRule == NamingRule::AskEveryTime;
  // Only a picture whose file was written is recorded as cropped; one that waits for its name
  // is recorded once the name is given.
  if (saved.saved() && !asksName) controller_.markTaskPictureDone();
  QApplication::restoreOverrideCursor();
  tellCropNotice(prompter, &window_, cropSaveNotice(saved, true));
  // A name that named no file stays for the next try.
  if (saved.saved() && sheetName) sheets_.advance();

  if (saved.saved() && asksName) {
    // The name is typed with the letters the navigation keys would take.
    controller_.releaseNavigationKeys();
    NamePopup popup(prompter, {true, inputs.folder, inputs.ext, saved.path}, &window_);
    popup.exec();
    if (!popup.savedPath().isEmpty()) controller_.markTaskPictureDone();
    keysBack();
  }
}

bool BatchRoom::loadTaskPicture(const QString& path) {
  std::optional<LoadedPicture> ahead = prefetch_.take(path);
  const bool shown =
      ahead ? window_.showLoadedPicture(path, std::move(*ahead)) : window_.loadPicture(path);
  if (shown && program_.batch.autoFrameHead && frameHead_) frameHead_();
  return shown;
}

void BatchRoom::frameEachPictureWith(std::function<void()> frameHead) {
  frameHead_ = std::move(frameHead);
}

void BatchRoom::prefetchPicture(const QString& path) {
  prefetch_.prefetch(path, program_.view.backCanvas.size());
}

void BatchRoom::releasePicture() {
  window_.releasePicture();
}

void BatchRoom::setTitle(const QString& title) {
  window_.setWindowTitle(title);
}

void BatchRoom::showProgramCaption() {
  window_.setWindowTitle(u8(app_texts::kCaption));
}

void BatchRoom::setIndicator(bool on) {
  statusBar_.setBatchIndicator(on);
}

void BatchRoom::focusView() {
  window_.focusPicture();
}

void BatchRoom::openSettingsWindow() {
  BatchSettingsWindow settings(program_.batch, controller_, *this, program_.services.prompter,
                               program_.shell.settingsFolder, &window_);
  settings.exec();
  // The settings window hands the focus back to the main window as it closes; a naming window
  // it opened is where the user goes next.
  if (program_.batch.active && program_.batch.namingRule == NamingRule::Spreadsheet)
    sheets_.bringToFront();
}

void BatchRoom::showNamingWindow() {
  sheets_.show(NamingMode::Crop);
}

void BatchRoom::closeNamingWindow() {
  sheets_.close();
}

void BatchRoom::closeCamera() {
  camera_.close();
}

void BatchRoom::restoreKeptSize(bool jpg) {
  veltrix::restoreKeptSize(sizes_, program_.output, SettingsStore(program_.shell.settingsFile),
                           u8(kBatchSection), jpg);
}

QString BatchRoom::jpgLimitText() const {
  return sizes_.jpgLimitText();
}

QStringList BatchRoom::sizeTexts() const {
  return sizes_.sizeTexts();
}

void BatchRoom::switchToolsOff() {
  window_.switchToolsOff();
}

}  // namespace veltrix
