// Clock reading the system's local time.
#pragma once

#include "platform/clock.h"

namespace veltrix {

class SystemClock final : public Clock {
 public:
  QDateTime now() const override;
};

}  // namespace veltrix
