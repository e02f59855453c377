#include "platform/system_clock.h"

namespace veltrix {

QDateTime SystemClock::now() const {
  return QDateTime::currentDateTime();
}

}  // namespace veltrix
