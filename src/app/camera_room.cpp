#include "app/camera_room.h"

#include "app/main_window.h"
#include "app/program.h"

namespace veltrix {

CameraRoom::CameraRoom(Program& program, MainWindow& window) : program_(program), window_(window) {}

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

}  // namespace veltrix
