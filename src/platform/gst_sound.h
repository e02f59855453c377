// Sound on GStreamer: the clip goes from memory through wavparse to the default audio sink.
#pragma once

#include "platform/sound.h"

typedef struct _GstElement GstElement;

namespace veltrix {

class GstSound final : public Sound {
 public:
  GstSound();
  ~GstSound() override;
  GstSound(const GstSound&) = delete;
  GstSound& operator=(const GstSound&) = delete;

  void play(const QByteArray& wav) override;

 private:
  void stop();

  GstElement* pipeline_ = nullptr;
};

}  // namespace veltrix
