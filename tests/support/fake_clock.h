// Clock double standing still at a time the test sets.
#pragma once

#include "platform/clock.h"

namespace veltrix::test {

class FakeClock final : public Clock {
 public:
  QDateTime time{QDate(2022, 1, 10), QTime(11, 45, 23)};
  QDateTime now() const override { return time; }
};

}  // namespace veltrix::test
