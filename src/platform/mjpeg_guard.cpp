#include "platform/mjpeg_guard.h"

#include <gst/gst.h>

namespace veltrix {

bool isWholeJpeg(QByteArrayView bytes) {
  qsizetype end = bytes.size();
  while (end > 0 && bytes[end - 1] == '\0') --end;
  return end >= 4 && uchar(bytes[0]) == 0xff && uchar(bytes[1]) == 0xd8 &&
         uchar(bytes[end - 2]) == 0xff && uchar(bytes[end - 1]) == 0xd9;
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
