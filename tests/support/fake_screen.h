// Screen double with a size the test chooses.
#pragma once

#include "platform/screen.h"

namespace veltrix::test {

class FakeScreen final : public Screen {
 public:
  QSize size{1920, 1080};
  QSize primarySize() const override { return size; }
};

}  // namespace veltrix::test
