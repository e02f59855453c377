#include "platform/mjpeg_guard.h"

#include <gst/gst.h>

#include <algorithm>

namespace veltrix {

namespace {

// What a camera may send after the end marker besides the zeros that pad a frame: a few bytes of
// its own.
constexpr qsizetype kTrailingBytes = 1024;

}  // namespace

bool isWholeJpeg(QByteArrayView bytes) {
  if (bytes.size() < 4 || uchar(bytes[0]) != 0xff || uchar(bytes[1]) != 0xd8) return false;
  // In the coded data a 0xFF byte is always followed by 0x00 or a restart marker, so FF D9
  // near the end is the end marker and nothing else.
  qsizetype end = bytes.size();
  while (end > 2 && bytes[end - 1] == '\0') --end;
  const qsizetype from = std::max<qsizetype>(2, end - kTrailingBytes);
  return bytes.sliced(from, end - from).contains(QByteArrayView("\xff\xd9", 2));
}

GstElement* makeGuardedJpegDecoder() {
  GstElement* decoder = gst_element_factory_make("jpegdec", nullptr);
  if (!decoder) return nullptr;
  GstPad* sink = gst_element_get_static_pad(decoder, "sink");
  // libjpeg fills what is missing of a cut-off frame with grey and says nothing, so such a frame
  // must not reach it.
  gst_pad_add_probe(
      sink, GST_PAD_PROBE_TYPE_BUFFER,
      [](GstPad*, GstPadProbeInfo* info, gpointer) {
        GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
        if (GST_BUFFER_FLAG_IS_SET(buffer, GST_BUFFER_FLAG_CORRUPTED)) return GST_PAD_PROBE_DROP;
        GstMapInfo map;
        if (!gst_buffer_map(buffer, &map, GST_MAP_READ)) return GST_PAD_PROBE_DROP;
        const bool whole = isWholeJpeg(
            QByteArrayView(reinterpret_cast<const char*>(map.data), qsizetype(map.size)));
        gst_buffer_unmap(buffer, &map);
        return whole ? GST_PAD_PROBE_OK : GST_PAD_PROBE_DROP;
      },
      nullptr, nullptr);
  gst_object_unref(sink);
  return decoder;
}

}  // namespace veltrix
