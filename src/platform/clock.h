// Local time as the program sees it; time-stamped names and task files ask this clock.
#pragma once

#include <QDateTime>

namespace veltrix {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime now() const = 0;
};

}  // namespace veltrix
