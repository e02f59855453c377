// Capture device double: the test sets the drivers there are and whether connecting works, and
// pushes frames whose every pixel names its own coordinates, so a test can tell which part of
// the frame ended up where.
#pragma once

#include <QPoint>
#include <QRgb>
#include <QWidget>
#include <optional>
#include <vector>

#include "platform/capture_device.h"

namespace veltrix::test {

class FakeCaptureDevice final : public CaptureDevice {
 public:
  int drivers = 1;
  bool connectWorks = true;
  QSize size{640, 480};
  std::vector<int> connects;  // every driver number asked for, refused ones included
  bool previewing = false;
  int formatDialogs = 0;
  int sourceDialogs = 0;
  // What the user picks in either dialog: a format of this size, or another camera sending it.
  // When the change fails, the fallback fails too and the device is left unconnected.
  std::optional<QSize> dialogChoice;
  bool changeWorks = true;

  static QRgb codedPixel(int x, int y) {
    return qRgb(x & 255, y & 255, (x >> 8) | ((y >> 8) << 4));
  }
  static QPoint decodePixel(QRgb pixel) {
    return {qRed(pixel) | ((qBlue(pixel) & 15) << 8), qGreen(pixel) | ((qBlue(pixel) >> 4) << 8)};
  }
  static QImage codedFrame(QSize size) {
    QImage frame(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
      for (int x = 0; x < size.width(); ++x) line[x] = codedPixel(x, y);
    }
    return frame;
  }

  int driverCount() override { return drivers; }
  bool connect(int driver) override {
    connects.push_back(driver);
    if (driver < 1 || driver > 11 || driver > drivers) return false;
    disconnect();
    if (connectWorks) current_ = driver;
    return connectWorks;
  }
  int currentDriver() const override { return current_; }
  void disconnect() override {
    current_ = 0;
    latest_ = QImage();
  }

  void preview(bool on) override { previewing = on; }
  void setFrameHandler(std::function<void(const QImage& frame)> onFrame) override {
    onFrame_ = std::move(onFrame);
  }
  void setLostHandler(std::function<void()> onLost) override { onLost_ = std::move(onLost); }

  QSize frameSize() const override { return current_ ? size : QSize(); }
  QImage latestFrame() const override { return latest_; }

  void showFormatDialog(QWidget*) override {
    if (!current_) return;
    ++formatDialogs;
    applyChoice();
  }
  void showSourceDialog(QWidget*) override {
    if (!current_) return;
    ++sourceDialogs;
    applyChoice();
  }

  // A new coded frame of the current size from the connected driver; it reaches the frame
  // handler only while the preview is on, as the real device's would.
  void pushFrame() { pushFrame(codedFrame(size)); }
  void pushFrame(const QImage& frame) {
    if (!current_) return;
    latest_ = frame.convertToFormat(QImage::Format_RGB32);
    if (previewing && onFrame_) onFrame_(latest_);
  }
  // The camera is pulled out: the device lets go of it and says so.
  void loseDevice() {
    if (!current_) return;
    disconnect();
    if (onLost_) onLost_();
  }

 private:
  void applyChoice() {
    if (!dialogChoice) return;
    if (changeWorks)
      size = *dialogChoice;
    else
      disconnect();
  }

  int current_ = 0;
  QImage latest_;
  std::function<void(const QImage&)> onFrame_;
  std::function<void()> onLost_;
};

}  // namespace veltrix::test
