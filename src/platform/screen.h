// The size of the primary screen, read by the program once at start-up.
#pragma once

#include <QSize>

namespace veltrix {

class Screen {
 public:
  virtual ~Screen() = default;
  virtual QSize primarySize() const = 0;
};

}  // namespace veltrix
