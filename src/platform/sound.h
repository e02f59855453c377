// Short sounds played in the background, such as the click of a batch crop. Without an audio
// device nothing is heard and nothing is reported.
#pragma once

#include <QByteArray>

namespace veltrix {

class Sound {
 public:
  virtual ~Sound() = default;
  // Starts playing a WAV clip and returns at once; a clip still playing is cut off.
  virtual void play(const QByteArray& wav) = 0;
};

}  // namespace veltrix
