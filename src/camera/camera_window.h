// The camera window "摄像预览": the live picture of the last capture driver, sized from the output
// size and the camera's aspect, the device dialogs, the retry when no camera answers, and the
// single photo that becomes the main window's picture.
#pragma once

#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <array>
#include <initializer_list>
#include <optional>

#include "camera/camera_state.h"
#include "output/output_spec.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace veltrix {

class ButtonRepeat;
class CaptureDevice;
class Clock;
class Prompter;
class Sound;
class PreviewCanvas;
class QuickShotSettingsWindow;
struct QuickShotSettings;

// What the camera window asks of the main window.
class CameraHost {
 public:
  virtual ~CameraHost() = default;
  // The main window's border corrections, which stand for the camera window's border too.
  virtual QSize corrections() const = 0;
  virtual QPoint mainWindowTopLeft() const = 0;
  virtual QColor frameColour() const = 0;
  // A single photo: it becomes the current picture, as an opened file does.
  virtual void takePhoto(const QImage& photo) = 0;
  // The texts of the main window's size boxes: pixel width and height, millimetre width and
  // height, DPI; and of its JPG target.
  virtual QStringList sizeTexts() const = 0;
  virtual QString jpgLimitText() const = 0;
  // The output size quick shooting kept takes the main window's size boxes, with the JPG target
  // when quick-shoot saves JPG.
  virtual void restoreKeptSize(bool jpg) = 0;
  // The spreadsheet naming window, opened for quick-shoot (or worded for it when it is open),
  // and closed when quick-shoot leaves the spreadsheet rule.
  virtual void showNamingWindow() = 0;
  virtual void closeNamingWindow() = 0;
  // The spreadsheet's name for the next photo; nothing when no photo may be taken now (the user
  // was told why), with `declined` set when the user would rather choose another rule.
  virtual std::optional<QString> spreadsheetName(QWidget* owner, bool& declined) = 0;
  // After a photo was written under that name.
  virtual void advanceSpreadsheetRow() = 0;
  // The camera window is closing.
  virtual void cameraClosing() = 0;
};

class CameraWindow : public QWidget {
  Q_OBJECT
 public:
  // The services quick-shoot saves with.
  struct Services {
    Prompter& prompter;
    Sound& sound;
    Clock& clock;
    const QString& settingsFolder;
  };

  CameraWindow(CameraState& state, const OutputSpec& output, QuickShotSettings& quickShot,
               CaptureDevice& device, CameraHost& host, Services services);
  ~CameraWindow() override;

  // The output size changed: the preview and the window follow it.
  void fitToOutput(SizeChange change);
  void setFrameBarColour(const QColor& colour);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void connectCamera();
  void showConnected(bool connected);
  void measureAspect();
  void resizeForPreview(QSize preview);
  void layoutWindow();
  void layoutFrame();
  void photoButtonClicked();
  void frameArrived(const QImage& frame);
  // A photo is taken only from a frame younger than a second; an older one is what a stalled
  // camera left on the screen.
  bool frameIsFresh() const;
  void checkFrames();
  void refusePhoto(const char* text);
  void deviceDialog(bool format);
  void moveFrame(QPoint by);
  void centreFrame();
  // Quick-shoot: the pixels inside the frame saved at once under the quick-shoot rule.
  void takeQuickShot();
  // The frame, its bars, move buttons and settings button show in quick-shoot mode on a
  // connected camera.
  void showQuickControls();
  void quickShotBoxClicked(bool on);
  void openQuickSettings();
  // Quick shooting that keeps its settings keeps these size boxes' texts as the size changes,
  // and the JPG target's with JPG output when asked.
  void keepSizes(std::initializer_list<const char*> keys, bool jpgLimit);
  bool eventFilter(QObject* watched, QEvent* event) override;

  CameraState& state_;
  const OutputSpec& output_;
  QuickShotSettings& quickShot_;
  CaptureDevice& device_;
  CameraHost& host_;
  Services services_;
  QGroupBox* group_;
  PreviewCanvas* preview_;
  QLabel* noCamera_;
  QLabel* noCameraHints_;
  QLabel* noFrames_;
  QTimer* frameCheck_;
  // When the last frame came, or the camera was connected while none has come yet.
  QDateTime lastFrameAt_;
  // The camera's aspect the preview was last shaped for.
  double laidAspect_ = 0;
  QWidget* frameCanvas_;
  std::array<QLabel*, 4> bars_{};  // top, bottom, left, right
  QPushButton* deviceButton_;
  QPushButton* formatButton_;
  QPushButton* quickSettingsButton_;
  std::array<QPushButton*, 4> moveButtons_{};  // up, left, right, down
  QPushButton* photoButton_;
  QCheckBox* quickShotBox_;
  ButtonRepeat* moveRepeat_;
  QPointer<QuickShotSettingsWindow> quickSettings_;
  bool connected_ = false;
  bool laying_ = false;
  // A drag of the frame by one of its bars: where the frame and the mouse were at the press.
  bool dragging_ = false;
  QPoint dragFrame_;
  QPoint dragMouse_;
};

}  // namespace veltrix
