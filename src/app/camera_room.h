// The main window's side of the camera: opening the camera window, passing it the output size
// and the frame colour, and taking its single photo as the current picture.
#pragma once

#include <QPointer>

#include "camera/camera_window.h"

namespace veltrix {

class MainWindow;
class Program;

class CameraRoom final : public CameraHost {
 public:
  CameraRoom(Program& program, MainWindow& window);
  ~CameraRoom() override;

  // Opens the camera window, or brings it forward when it is open.
  void open();
  void fitToOutput(SizeChange change);
  void setFrameBarColour(const QColor& colour);

  QSize corrections() const override;
  QPoint mainWindowTopLeft() const override;
  QColor frameColour() const override;
  void takePhoto(const QImage& photo) override;

 private:
  Program& program_;
  MainWindow& window_;
  QPointer<CameraWindow> camera_;
};

}  // namespace veltrix
