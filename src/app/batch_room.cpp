#include "app/batch_room.h"

#include "app/main_window.h"
#include "app/program.h"
#include "app/status_bar.h"
#include "app/texts.h"
#include "batch/batch_settings_window.h"
#include "output/size_controller.h"
#include "platform/utf8.h"

namespace veltrix {

BatchRoom::BatchRoom(Program& program, MainWindow& window, SizeController& sizes,
                     StatusBar& statusBar)
    : program_(program),
      window_(window),
      sizes_(sizes),
      statusBar_(statusBar),
      controller_(program.batch, program.output, program.services.hotkeys,
                  program.services.prompter, *this, &window, program.shell.settingsFolder) {}

void BatchRoom::keysBack() {
  if (program_.batch.active && !program_.batch.keysRegistered) controller_.registerNavigationKeys();
}

bool BatchRoom::loadTaskPicture(const QString& path) {
  return window_.loadPicture(path);
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
}

bool BatchRoom::applyStoredSize(int width, int height, int dpi, float mmWidth, float mmHeight) {
  sizes_.selectCustom();
  return sizes_.applyOutputSize(width, height, dpi, mmWidth, mmHeight);
}

QString BatchRoom::jpgLimitText() const {
  return sizes_.jpgLimitText();
}

void BatchRoom::showJpgLimit(const QString& text) {
  sizes_.showJpgLimit(text);
}

QStringList BatchRoom::sizeTexts() const {
  return sizes_.sizeTexts();
}

}  // namespace veltrix
