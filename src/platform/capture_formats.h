// The formats a camera offers, read from the caps its source reports, and the one it starts at:
// what a UVC webcam lists as v4l2src gives it, with no device needed to work it out.
#pragma once

#include <QList>
#include <QSize>
#include <QString>

typedef struct _GstCaps GstCaps;

namespace veltrix {

// One way a driver can send its frames. An empty pixel format takes whatever raw format the
// source makes.
struct CaptureFormat {
  QString pixelFormat;  // a raw video format such as "YUY2", or "MJPG"
  QSize size;
  int rateNumerator = 30;
  int rateDenominator = 1;
  bool operator==(const CaptureFormat&) const = default;
};

inline constexpr const char* kMjpegFormat = "MJPG";

// The colour formats in caps, one for each size and rate, sorted by size and, at one size, in
// the order startingFormat prefers them. Sizes and rates given as ranges give the common ones
// inside them; grey-only formats (an infrared node) give nothing.
QList<CaptureFormat> offeredFormats(const GstCaps* caps);
// The same from caps written as gst-launch or v4l2src write them; nothing for unreadable text.
QList<CaptureFormat> offeredFormats(const QString& caps);

// 640 × 480, the size the camera window is laid out for, or the offered size nearest to it;
// at that size MJPEG above 640 × 480 (raw frames that large fill USB 2 and come slowly), raw
// otherwise, YUY2 before other raw formats, then the fastest rate.
CaptureFormat startingFormat(const QList<CaptureFormat>& offered);

}  // namespace veltrix
