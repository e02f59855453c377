#include "platform/gst_sound.h"

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

namespace veltrix {

GstSound::GstSound() {
  gst_init_check(nullptr, nullptr, nullptr);
}

GstSound::~GstSound() {
  stop();
}

void GstSound::stop() {
  if (!pipeline_) return;
  gst_element_set_state(pipeline_, GST_STATE_NULL);
  gst_object_unref(pipeline_);
  pipeline_ = nullptr;
}

void GstSound::play(const QByteArray& wav) {
  stop();
  if (!gst_is_initialized() || wav.isEmpty()) return;
  pipeline_ = gst_parse_launch(
      "appsrc name=clip ! wavparse ! audioconvert ! audioresample ! autoaudiosink", nullptr);
  if (!pipeline_) return;
  GstElement* source = gst_bin_get_by_name(GST_BIN(pipeline_), "clip");
  if (!source) {
    stop();
    return;
  }
  GstBuffer* buffer = gst_buffer_new_memdup(wav.constData(), static_cast<gsize>(wav.size()));
  gst_app_src_push_buffer(GST_APP_SRC(source), buffer);
  gst_app_src_end_of_stream(GST_APP_SRC(source));
  gst_object_unref(source);
  // No audio device: the state change fails and the click is simply not heard.
  if (gst_element_set_state(pipeline_, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) stop();
}

}  // namespace veltrix
