#include "camera/camera_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "camera/camera_geometry.h"
#include "camera/preview_canvas.h"
#include "camera/quick_shot_settings.h"
#include "camera/quick_shot_settings_window.h"
#include "camera/texts.h"
#include "platform/capture_device.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/utf8.h"
#include "settings/number_rules.h"
#include "settings/settings_keys.h"
#include "widgets/button_repeat.h"
#include "widgets/design_place.h"

namespace veltrix {
using namespace camera_texts;

namespace {

constexpr qint64 kFreshFrameMs = 1000;
constexpr int kFrameCheckMs = 250;

}  // namespace

CameraWindow::CameraWindow(CameraState& state, const OutputSpec& output,
                           QuickShotSettings& quickShot, CaptureDevice& device, CameraHost& host,
                           Services services)
    : QWidget(nullptr),
      state_(state),
      output_(output),
      quickShot_(quickShot),
      device_(device),
      host_(host),
      services_(services) {
  setObjectName(QStringLiteral("CameraWindow"));
  setWindowTitle(u8(kTitle));
  setAttribute(Qt::WA_DeleteOnClose);
  state_.open = true;
  state_.initializing = true;

  group_ = place(new QGroupBox(u8(kGroup), this), "摄像分组框", {4, 4, 434, 336});
  preview_ = place(new PreviewCanvas(group_), "视频设备1", {10, 16, 412, 309});
  QFont song(QStringLiteral("宋体"), font().pointSize());
  noFrames_ = place(new QLabel(u8(kNoFrames), group_), "无画面标签", {10, 16, 412, 33});
  noFrames_->setAlignment(Qt::AlignCenter);
  noFrames_->setAutoFillBackground(true);
  noFrames_->hide();
  noCamera_ = place(new QLabel(u8(kNoCamera), group_), "标签1", {1, 15, 427, 33});
  QFont bold = song;
  bold.setBold(true);
  noCamera_->setFont(bold);
  noFrames_->setFont(bold);
  noCameraHints_ = place(new QLabel(u8(kNoCameraHints), group_), "标签2", {1, 48, 427, 282});
  noCameraHints_->setFont(song);
  noCameraHints_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  frameCanvas_ = place(new QWidget(group_), "拍图画板", {164, 90, 120, 144});
  frameCanvas_->hide();
  bars_ = {place(new QLabel(group_), "拍图框上标签", {184, 58, 80, 9}),
           place(new QLabel(group_), "拍图框下标签", {180, 272, 80, 9}),
           place(new QLabel(group_), "拍图框左标签", {144, 70, 9, 200}),
           place(new QLabel(this), "拍图框右标签", {356, 72, 9, 200})};
  for (QLabel* bar : bars_) bar->setAutoFillBackground(true);
  deviceButton_ =
      place(new QPushButton(u8(kDeviceButton), this), "设备参数按钮", {445, 11, 116, 24});
  formatButton_ =
      place(new QPushButton(u8(kFormatButton), this), "视频格式按钮", {445, 39, 116, 24});
  quickSettingsButton_ =
      place(new QPushButton(u8(kQuickSettingsButton), this), "速拍设置按钮", {445, 67, 116, 24});
  moveButtons_ = {place(new QPushButton(u8(kUp), this), "拍图上移按钮", {489, 137, 28, 32}),
                  place(new QPushButton(u8(kLeft), this), "拍图左移按钮", {457, 170, 32, 28}),
                  place(new QPushButton(u8(kRight), this), "拍图右移按钮", {518, 170, 32, 28}),
                  place(new QPushButton(u8(kDown), this), "拍图下移按钮", {489, 199, 28, 32})};
  photoButton_ = place(new QPushButton(u8(kTakePhoto), this), "拍照按钮", {445, 280, 116, 78});
  quickShotBox_ =
      place(new QCheckBox(u8(kQuickShotBox), this), "启用速拍选择框", {7, 343, 137, 20});
  resize(575, 399);

  // The frame moves a pixel at the press, then on from the tenth tick of 拍图时钟, as the main
  // window's frame does; the bars drag it, held on the live picture.
  moveRepeat_ = new ButtonRepeat(QStringLiteral("拍图时钟"), this);
  const QPoint steps[] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}};
  for (size_t i = 0; i < moveButtons_.size(); ++i) {
    const QPoint step = steps[i];
    connect(moveButtons_[i], &QPushButton::pressed, this, [this, step] {
      moveRepeat_->press([this, step] {
        moveFrame(step);
        return true;
      });
    });
    connect(moveButtons_[i], &QPushButton::released, this, [this] {
      moveRepeat_->release();
      photoButton_->setFocus();
    });
  }
  for (QLabel* bar : bars_) bar->installEventFilter(this);
  connect(photoButton_, &QPushButton::clicked, this, &CameraWindow::photoButtonClicked);
  connect(formatButton_, &QPushButton::clicked, this, [this] { deviceDialog(true); });
  connect(deviceButton_, &QPushButton::clicked, this, [this] { deviceDialog(false); });
  connect(quickSettingsButton_, &QPushButton::clicked, this, &CameraWindow::openQuickSettings);
  connect(quickShotBox_, &QCheckBox::clicked, this, &CameraWindow::quickShotBoxClicked);
  frameCheck_ = new QTimer(this);
  frameCheck_->setObjectName(QStringLiteral("画面检查时钟"));
  frameCheck_->setInterval(kFrameCheckMs);
  connect(frameCheck_, &QTimer::timeout, this, &CameraWindow::checkFrames);
  device_.setFrameHandler([this](const QImage& frame) { frameArrived(frame); });
  device_.setLostHandler([this] { showConnected(false); });

  setFrameBarColour(host_.frameColour());
  connectCamera();
  if (connected_ && quickShot_.quickMode) keepSizes({kPixelWidthKey, kPixelHeightKey}, true);
  // The window opens beside the main window, a little below its top-left corner.
  move(host_.mainWindowTopLeft() + QPoint(100, 60));
  state_.initializing = false;
  layoutWindow();
}

CameraWindow::~CameraWindow() {
  device_.setFrameHandler({});
  device_.setLostHandler({});
  device_.preview(false);
  device_.disconnect();
  state_.open = false;
}

void CameraWindow::connectCamera() {
  device_.connect(device_.driverCount());
  const bool connected = device_.currentDriver() >= 1;
  if (connected) measureAspect();
  // The frame is centred when the window is laid out at the end of its construction.
  resizeForPreview(previewSizeFor(QSize(output_.pixelWidth, output_.pixelHeight), state_.aspect));
  showConnected(connected);
}

// Connected: the live picture, the device buttons and, in quick-shoot mode, the frame with its
// move buttons. Not connected: the reasons to check and the retry.
void CameraWindow::showConnected(bool connected) {
  connected_ = connected;
  noCamera_->setVisible(!connected);
  noCameraHints_->setVisible(!connected);
  preview_->setVisible(connected);
  deviceButton_->setVisible(connected);
  formatButton_->setVisible(connected);
  quickShotBox_->setVisible(connected);
  quickShotBox_->setChecked(connected && quickShot_.quickMode);
  showQuickControls();
  photoButton_->setText(u8(connected ? kTakePhoto : kRetry));
  // A new connection starts from nothing: no frame of the camera before it can be taken.
  preview_->clear();
  noFrames_->hide();
  lastFrameAt_ = connected ? services_.clock.now() : QDateTime();
  if (connected) {
    frameCheck_->start();
    device_.preview(true);
  } else {
    frameCheck_->stop();
  }
}

void CameraWindow::frameArrived(const QImage& frame) {
  lastFrameAt_ = services_.clock.now();
  preview_->showFrame(frame);
  noFrames_->hide();
}

bool CameraWindow::frameIsFresh() const {
  return lastFrameAt_.isValid() && lastFrameAt_.msecsTo(services_.clock.now()) < kFreshFrameMs;
}

void CameraWindow::checkFrames() {
  noFrames_->setVisible(connected_ && !frameIsFresh());
}

void CameraWindow::refusePhoto(const char* text) {
  services_.prompter.message(this, u8(kRefusalTitle), u8(text), PromptIcon::Information,
                             PromptButtons::Ok);
}

// The camera's aspect from the frames it sends; a device that reports no size keeps the one
// measured before.
void CameraWindow::measureAspect() {
  const QSize frame = device_.frameSize();
  if (frame.width() <= 0 || frame.height() <= 0) return;
  const double aspect = static_cast<double>(frame.height()) / frame.width();
  if (std::abs(aspect - state_.aspect) > kNumberTolerance) state_.aspect = aspect;
}

void CameraWindow::resizeForPreview(QSize preview) {
  const QSize window = windowSizeFor(preview, host_.corrections());
  state_.lastWidth = window.width();
  state_.lastHeight = window.height();
  resize(window);
}

void CameraWindow::resizeEvent(QResizeEvent*) {
  if (!state_.initializing) layoutWindow();
}

void CameraWindow::layoutWindow() {
  // Setting the size here brings another resize event; that one has nothing left to do.
  if (laying_) return;
  laying_ = true;
  // A window of the same size still takes the shape of a camera whose aspect changed, as an
  // opening window would.
  if (state_.aspect != laidAspect_) {
    laidAspect_ = state_.aspect;
    resizeForPreview(previewSizeFor(QSize(output_.pixelWidth, output_.pixelHeight), state_.aspect));
  }
  const QSize preview = previewAfterResize(size(), {state_.lastWidth, state_.lastHeight},
                                           host_.corrections(), state_.aspect);
  resizeForPreview(preview);
  preview_->resize(preview);
  noFrames_->resize(preview.width(), noFrames_->height());
  const CameraLayout layout = cameraLayout(preview);
  group_->resize(layout.group);
  quickShotBox_->move(quickShotBox_->x(), layout.quickShotBoxTop);
  for (QPushButton* button : {deviceButton_, formatButton_, quickSettingsButton_, photoButton_})
    button->move(layout.buttonsLeft, button->y());
  photoButton_->move(layout.buttonsLeft, layout.photoButtonTop);
  moveButtons_[0]->move(layout.up);
  moveButtons_[1]->move(layout.left);
  moveButtons_[2]->move(layout.right);
  moveButtons_[3]->move(layout.down);
  centreFrame();
  layoutFrame();
  laying_ = false;
}

void CameraWindow::layoutFrame() {
  const CameraFrameBars bars = cameraFrameBars({state_.frameLeft, state_.frameTop},
                                               {output_.pixelWidth, output_.pixelHeight});
  frameCanvas_->setGeometry(bars.inner);
  bars_[0]->setGeometry(bars.top);
  bars_[1]->setGeometry(bars.bottom);
  bars_[2]->setGeometry(bars.left);
  bars_[3]->setGeometry(bars.right);
}

void CameraWindow::centreFrame() {
  const QPoint frame = centredFrame(preview_->size(), {output_.pixelWidth, output_.pixelHeight});
  state_.frameLeft = frame.x();
  state_.frameTop = frame.y();
}

// The buttons stop the frame where a drag stops it, on the live picture.
void CameraWindow::moveFrame(QPoint by) {
  const QPoint frame = clampedFrame(QPoint(state_.frameLeft, state_.frameTop) + by, group_->size(),
                                    {output_.pixelWidth, output_.pixelHeight});
  state_.frameLeft = frame.x();
  state_.frameTop = frame.y();
  layoutFrame();
}

// The bar pressed keeps the mouse until it is let go, wherever it goes meanwhile.
bool CameraWindow::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
      type != QEvent::MouseButtonRelease)
    return QWidget::eventFilter(watched, event);
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint at = mouse->globalPosition().toPoint();
  if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
    dragging_ = true;
    dragFrame_ = {state_.frameLeft, state_.frameTop};
    dragMouse_ = at;
  } else if (type == QEvent::MouseMove && dragging_) {
    const QPoint frame = clampedFrame(dragFrame_ + at - dragMouse_, group_->size(),
                                      {output_.pixelWidth, output_.pixelHeight});
    state_.frameLeft = frame.x();
    state_.frameTop = frame.y();
    layoutFrame();
  } else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
    dragging_ = false;
    photoButton_->setFocus();
  }
  return true;
}

void CameraWindow::setFrameBarColour(const QColor& colour) {
  for (QLabel* bar : bars_) {
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, colour);
    bar->setPalette(palette);
  }
}

void CameraWindow::fitToOutput(SizeChange change) {
  const QSize output(output_.pixelWidth, output_.pixelHeight);
  resizeForPreview(previewAfterOutputChange(
      change, output, previewInside(size(), host_.corrections()), state_.aspect));
  layoutWindow();
  switch (change) {
    case SizeChange::WidthChanged:
      if (quickShot_.quickMode) keepSizes({kPixelWidthKey, kMillimetreWidthKey}, false);
      break;
    case SizeChange::HeightChanged:
      if (quickShot_.quickMode) keepSizes({kPixelHeightKey, kMillimetreHeightKey}, false);
      break;
    case SizeChange::SizeChanged:
      keepSizes(
          {kPixelWidthKey, kPixelHeightKey, kDpiKey, kMillimetreWidthKey, kMillimetreHeightKey},
          false);
      break;
  }
}

void CameraWindow::deviceDialog(bool format) {
  if (format)
    device_.showFormatDialog(this);
  else
    device_.showSourceDialog(this);
  // A change that failed, and whose way back failed too, leaves no camera, as an unplug does.
  if (device_.currentDriver() < 1) {
    showConnected(false);
    return;
  }
  measureAspect();
  layoutWindow();
}

void CameraWindow::photoButtonClicked() {
  if (!connected_) {
    // Retry: the window keeps its size and place.
    device_.connect(device_.driverCount());
    showConnected(device_.currentDriver() >= 1);
    return;
  }
  checkFrames();
  if (!frameIsFresh() || preview_->shown().isNull()) {
    refusePhoto(kNoFrames);
    return;
  }
  if (quickShot_.quickMode)
    takeQuickShot();
  else
    host_.takePhoto(preview_->shown());
}

void CameraWindow::closeEvent(QCloseEvent* event) {
  if (quickSettings_) quickSettings_->reject();
  host_.cameraClosing();
  state_.open = false;
  device_.preview(false);
  event->accept();
}

}  // namespace veltrix
