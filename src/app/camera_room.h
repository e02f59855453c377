// The main window's side of the camera: opening the camera window, passing it the output size
// and the frame colour, and taking its single photo as the current picture.
#pragma once

#include <QPointer>

#include "camera/camera_window.h"

namespace veltrix {

class MainWindow;
class Program;
class SheetsRoom;
class SizeController;

class CameraRoom final : public CameraHost {
 public:
  CameraRoom(Program& program, MainWindow& window, SizeController& sizes, SheetsRoom& sheets);
  ~CameraRoom() override;

  // Opens the camera window, or brings it forward when it is open.
  void open();
  // Leaves the camera for batch cropping: its window closes and quick-shoot mode ends.
  void close();
  void fitToOutput(SizeChange change);
  void setFrameBarColour(const QColor& colour);

  QSize corrections() const override;
  QPoint mainWindowTopLeft() const override;
  QColor frameColour() const override;
  void takePhoto(const QImage& photo) override;
  QStringList sizeTexts() const override;
  QString jpgLimitText() const override;
  void restoreKeptSize(bool jpg) override;
  void showNamingWindow() override;
  void closeNamingWindow() override;
  std::optional<QString> spreadsheetName(QWidget* owner, bool& declined) override;
  void advanceSpreadsheetRow() override;
  void cameraClosing() override;

 private:
  Program& program_;
  MainWindow& window_;
  SizeController& sizes_;
  SheetsRoom& sheets_;
  QPointer<CameraWindow> camera_;
};

}  // namespace veltrix
