// Screen backed by Qt's primary screen.
#pragma once

#include "platform/screen.h"

namespace veltrix {

class QtScreen final : public Screen {
 public:
  QSize primarySize() const override;
};

}  // namespace veltrix
