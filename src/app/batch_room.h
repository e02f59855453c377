// The main window's side of batch cropping: what the batch asks of the window (pictures, title,
// indicator, output size), the batch settings window, and the status bar's batch indicator.
#pragma once

#include "batch/batch_controller.h"

namespace veltrix {

class MainWindow;
class Program;
class SizeController;
class StatusBar;

class BatchRoom final : public BatchHost {
 public:
  BatchRoom(Program& program, MainWindow& window, SizeController& sizes, StatusBar& statusBar);

  BatchController& controller() { return controller_; }

  // Keys released while a name is typed come back afterwards while the batch runs.
  void keysBack();

  bool loadTaskPicture(const QString& path) override;
  void releasePicture() override;
  void setTitle(const QString& title) override;
  void showProgramCaption() override;
  void setIndicator(bool on) override;
  void focusView() override;
  void openSettingsWindow() override;
  bool applyStoredSize(int width, int height, int dpi, float mmWidth, float mmHeight) override;
  QString jpgLimitText() const override;
  void showJpgLimit(const QString& text) override;
  QStringList sizeTexts() const override;

 private:
  Program& program_;
  MainWindow& window_;
  SizeController& sizes_;
  StatusBar& statusBar_;
  BatchController controller_;
};

}  // namespace veltrix
