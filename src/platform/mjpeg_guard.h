// The JPEG decoder of an MJPEG camera, guarded against damaged frames: a frame cut short or
// flagged as damaged by the driver (a loose cable) is dropped before it is decoded; one that the
// decoder cannot read it drops itself, with a warning that does not end the stream.
#pragma once

#include <QByteArrayView>

typedef struct _GstElement GstElement;

namespace veltrix {

// Whether bytes hold a whole JPEG: its start marker first and its end marker at the end; some
// cameras pad their frames after the end marker with zeros or a few bytes of their own.
bool isWholeJpeg(QByteArrayView bytes);

// A jpegdec that drops damaged frames; nullptr when GStreamer has none.
GstElement* makeGuardedJpegDecoder();

}  // namespace veltrix
