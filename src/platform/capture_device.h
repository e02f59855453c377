// A video capture device as the camera window uses it: the capture drivers there are, a
// connection to one of them, its live frames as they come, its format and source dialogs, and
// the newest frame in memory. Frames are never read back from the screen.
#pragma once

#include <QImage>
#include <QSize>
#include <functional>

class QWidget;

namespace veltrix {

class CaptureDevice {
 public:
  virtual ~CaptureDevice() = default;

  // The capture drivers there are, numbered from 1.
  virtual int driverCount() = 0;
  // Lets go of the current driver and connects driver n (1 to driverCount(); any other n is refused
  // and changes nothing). False when the driver is missing, busy or sends no frame in time; the
  // device is then not connected.
  virtual bool connect(int driver) = 0;
  // The driver connected last, 0 while none is.
  virtual int currentDriver() const = 0;
  virtual void disconnect() = 0;

  // Starts or stops the frames; while on, onFrame runs on the GUI thread with each new frame,
  // the newest there is when it runs: frames that come while the GUI thread is busy replace one
  // another, so the preview follows the camera and never falls behind it.
  virtual void preview(bool on) = 0;
  virtual void setFrameHandler(std::function<void(const QImage& frame)> onFrame) = 0;
  // Runs on the GUI thread when the connected device stops sending (unplugged, taken away).
  virtual void setLostHandler(std::function<void()> onLost) = 0;

  // The size of the frames the device sends as negotiated; empty while not connected.
  virtual QSize frameSize() const = 0;
  // The newest frame, Format_RGB32; null before the first.
  virtual QImage latestFrame() const = 0;

  // The driver's dialogs; each does nothing when the connected driver has none.
  virtual void showFormatDialog(QWidget* owner) = 0;
  virtual void showSourceDialog(QWidget* owner) = 0;
};

}  // namespace veltrix
