// CaptureDevice on GStreamer: the v4l2 cameras of the device monitor, each played through
// (jpegdec →) videoconvert into an appsink that keeps the newest frame as BGRx in memory.
// With VELTRIX_TEST_CAMERA set, a videotestsrc camera is listed after the real ones.
#pragma once

#include <QList>
#include <QMutex>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWaitCondition>
#include <chrono>
#include <map>
#include <optional>

#include "platform/capture_device.h"
#include "platform/capture_formats.h"

typedef struct _GstElement GstElement;
typedef struct _GstDevice GstDevice;

namespace veltrix {

class GstCaptureDevice final : public CaptureDevice {
 public:
  GstCaptureDevice();
  // The test camera is always listed and makes its picture with this source, in gst-launch
  // syntax; tests use it to know the pixels, the wire format or the end of the stream.
  explicit GstCaptureDevice(const QString& testSource);
  ~GstCaptureDevice() override;
  GstCaptureDevice(const GstCaptureDevice&) = delete;
  GstCaptureDevice& operator=(const GstCaptureDevice&) = delete;

  int driverCount() override;
  bool connect(int driver) override;
  int currentDriver() const override { return current_; }
  void disconnect() override;

  void preview(bool on) override;
  void setFrameHandler(std::function<void(const QImage& frame)> onFrame) override;
  void setLostHandler(std::function<void()> onLost) override;

  QSize frameSize() const override;
  QImage latestFrame() const override;

  // The newest frame with the moment it came out of the pipeline, on the steady clock: how old
  // a picture is by the time it is on the screen. The frame is null before the first.
  struct ArrivedFrame {
    QImage frame;
    std::chrono::steady_clock::time_point arrived;
  };
  ArrivedFrame latestArrival() const;

  void showFormatDialog(QWidget* owner) override;
  void showSourceDialog(QWidget* owner) override;

  // The drivers' names as the source dialog lists them, from the last look at the devices.
  QStringList driverNames() const;
  // The formats the connected driver offers, and the one it sends; empty while not connected.
  QList<CaptureFormat> formats() const;
  CaptureFormat format() const { return format_; }
  // Reconnects the current driver at one of its formats; when that fails, the driver goes back
  // to the format it had and the result is false.
  bool setFormat(const CaptureFormat& format);

 private:
  struct Driver {
    QString name;
    QString key;        // the device node, or the test camera's source
    GstDevice* device;  // nullptr for the test camera
    QList<CaptureFormat> formats;
  };
  struct BusWatch;

  void listDrivers();
  void clearDrivers();
  bool open(int driver, const CaptureFormat& format);
  bool start(const Driver& driver, const CaptureFormat& format);
  void stop();
  GstElement* buildPipeline(const Driver& driver, const CaptureFormat& format);
  void takeSample(GstElement* sink);
  void streamEnded(quint64 generation);
  // Called with mutex_ held: one delivery waits on the GUI thread at most.
  void queueDelivery();
  void deliverFrame();

  std::optional<QString> testSource_;
  QList<Driver> drivers_;
  bool listed_ = false;
  std::map<QString, CaptureFormat> chosenFormats_;

  GstElement* pipeline_ = nullptr;
  int current_ = 0;
  CaptureFormat format_;
  quint64 generation_ = 0;

  // Written by the streaming threads, read by the GUI thread.
  mutable QMutex mutex_;
  QWaitCondition changed_;
  QImage frame_;
  std::chrono::steady_clock::time_point frameArrived_;
  quint64 frameNumber_ = 0;
  bool ended_ = false;
  bool previewing_ = false;
  bool deliveryQueued_ = false;
  quint64 deliveredNumber_ = 0;

  QObject gui_;  // lives on the GUI thread; streaming threads queue their news to it
  std::function<void(const QImage&)> onFrame_;
  std::function<void()> onLost_;
};

}  // namespace veltrix
