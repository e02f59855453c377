// The main window's side of batch cropping: what the batch asks of the window (pictures, title,
// indicator, output size), the batch settings window, and the status bar's batch indicator.
#pragma once

#include <functional>

#include "batch/batch_controller.h"
#include "save/crop_save.h"
#include "view/picture_prefetch.h"

namespace veltrix {

class CameraRoom;
class MainWindow;
class SheetsRoom;
class Program;
class SizeController;
class StatusBar;

class BatchRoom final : public BatchHost {
 public:
  BatchRoom(Program& program, MainWindow& window, SizeController& sizes, StatusBar& statusBar,
            CameraRoom& camera, SheetsRoom& sheets);

  BatchController& controller() { return controller_; }

  // Keys released while a name is typed come back afterwards while the batch runs.
  void keysBack();
  // The crop command in batch mode: the crop saved under the batch's rule and recorded, with
  // the crop sound and, when the rule asks, the name popup.
  void saveCrop(const CropSource& source);
  // What frames the head of each picture the batch shows, when its settings ask for it.
  void frameEachPictureWith(std::function<void()> frameHead);

  bool loadTaskPicture(const QString& path) override;
  void prefetchPicture(const QString& path) override;
  void releasePicture() override;
  void setTitle(const QString& title) override;
  void showProgramCaption() override;
  void setIndicator(bool on) override;
  void focusView() override;
  void openSettingsWindow() override;
  void closeCamera() override;
  void showNamingWindow() override;
  void closeNamingWindow() override;
  void restoreKeptSize(bool jpg) override;
  QString jpgLimitText() const override;
  QStringList sizeTexts() const override;
  void switchToolsOff() override;

 private:
  Program& program_;
  MainWindow& window_;
  SizeController& sizes_;
  StatusBar& statusBar_;
  CameraRoom& camera_;
  SheetsRoom& sheets_;
  BatchController controller_;
  PicturePrefetch prefetch_;
  std::function<void()> frameHead_;
};

}  // namespace veltrix
