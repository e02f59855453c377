// Sound double that remembers what it was asked to play.
#pragma once

#include <QList>

#include "platform/sound.h"

namespace veltrix::test {

class FakeSound final : public Sound {
 public:
  QList<QByteArray> played;
  void play(const QByteArray& wav) override { played.append(wav); }
};

}  // namespace veltrix::test
