#include "app/camera_room.h"

#include "app/main_window.h"
#include "app/program.h"
#include "app/sheets_room.h"
#include "output/kept_size.h"
#include "output/size_controller.h"
#include "platform/utf8.h"
#include "settings/settings_keys.h"

namespace veltrix {

CameraRoom::CameraRoom(Program& program, MainWindow& window, SizeController& sizes,
                       SheetsRoom& sheets)
    : program_(program), window_(window), sizes_(sizes), sheets_(sheets) {}

// The camera window has no owner, so it goes with the main window by hand.
CameraRoom::~CameraRoom() {
  delete camera_.data();
}

void CameraRoom::open() {
  if (!camera_) {
    const PlatformServices& services = program_.services;
    camera_ = new CameraWindow(
        program_.camera, program_.output, program_.quickShot, services.captureDevice, *this,
        {services.prompter, services.sound, services.clock, program_.shell.settingsFolder});
  }
  camera_->show();
  camera_->raise();
  camera_->activateWindow();
}

void CameraRoom::close() {
  if (camera_) camera_->close();
  program_.quickShot.quickMode = false;
}

void CameraRoom::fitToOutput(SizeChange change) {
  if (camera_) camera_->fitToOutput(change);
}

void CameraRoom::setFrameBarColour(const QColor& colour) {
  if (camera_) camera_->setFrameBarColour(colour);
}

QSize CameraRoom::corrections() const {
  return {program_.shell.widthCorrection, program_.shell.heightCorrection};
}

QPoint CameraRoom::mainWindowTopLeft() const {
  return window_.frameGeometry().topLeft();
}

QColor CameraRoom::frameColour() const {
  return program_.frame.colour;
}

void CameraRoom::takePhoto(const QImage& photo) {
  window_.showPhoto(photo);
}

QStringList CameraRoom::sizeTexts() const {
  return sizes_.sizeTexts();
}

QString CameraRoom::jpgLimitText() const {
  return sizes_.jpgLimitText();
}

void CameraRoom::restoreKeptSize(bool jpg) {
  veltrix::restoreKeptSize(sizes_, program_.output, SettingsStore(program_.shell.settingsFile),
                           u8(kQuickShotSection), jpg);
}

void CameraRoom::showNamingWindow() {
  sheets_.show(NamingMode::Camera);
}

void CameraRoom::closeNamingWindow() {
  sheets_.close();
}

std::optional<QString> CameraRoom::spreadsheetName(QWidget* owner, bool& declined) {
  return sheets_.nameForSave(NamingMode::Camera, owner, [&declined] { declined = true; });
}

void CameraRoom::advanceSpreadsheetRow() {
  sheets_.advance();
}

// A batch's roster outlives the camera: the naming window closes with the camera only when no
// batch runs.
void CameraRoom::cameraClosing() {
  if (!program_.batch.active) sheets_.close();
}

}  // namespace veltrix
