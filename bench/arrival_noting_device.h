// The GStreamer capture device as the camera window sees it, noting for each frame it hands to
// the window when that frame arrived in the appsink, so its age can be taken when it is painted.
#pragma once

#include <chrono>
#include <optional>
#include <utility>

#include "platform/gst_capture_device.h"

namespace veltrix::bench {

class ArrivalNotingDevice final : public CaptureDevice {
 public:
  // A frame handed to the window since the last take: when it arrived, unknown in the rare case
  // that a newer frame came in between the hand-over and the look at the device.
  struct Handed {
    std::optional<std::chrono::steady_clock::time_point> arrived;
  };

  explicit ArrivalNotingDevice(GstCaptureDevice& device) : device_(device) {}

  // What was handed over since the last call, nothing when no frame was.
  std::optional<Handed> takeHanded() { return std::exchange(handed_, std::nullopt); }

  int driverCount() override { return device_.driverCount(); }
  bool connect(int driver) override { return device_.connect(driver); }
  int currentDriver() const override { return device_.currentDriver(); }
  void disconnect() override { device_.disconnect(); }
  void preview(bool on) override { device_.preview(on); }
  void setFrameHandler(std::function<void(const QImage& frame)> onFrame) override {
    if (!onFrame) {
      device_.setFrameHandler({});
      return;
    }
    device_.setFrameHandler([this, onFrame = std::move(onFrame)](const QImage& frame) {
      const GstCaptureDevice::ArrivedFrame newest = device_.latestArrival();
      handed_ = Handed{};
      if (newest.frame.cacheKey() == frame.cacheKey()) handed_->arrived = newest.arrived;
      onFrame(frame);
    });
  }
  void setLostHandler(std::function<void()> onLost) override {
    device_.setLostHandler(std::move(onLost));
  }
  QSize frameSize() const override { return device_.frameSize(); }
  QImage latestFrame() const override { return device_.latestFrame(); }
  void showFormatDialog(QWidget* owner) override { device_.showFormatDialog(owner); }
  void showSourceDialog(QWidget* owner) override { device_.showSourceDialog(owner); }

 private:
  GstCaptureDevice& device_;
  std::optional<Handed> handed_;
};

}  // namespace veltrix::bench
