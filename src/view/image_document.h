// The current picture at its own pixel size. A failed load leaves it empty, so that drawing,
// frame moves and cropping do nothing until the next good load.
#pragma once

#include <QImage>

namespace veltrix {

struct ImageDocument {
  QImage picture;        // Format_RGB32
  bool present = false;  // a picture is there to show and crop
};

}  // namespace veltrix
