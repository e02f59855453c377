// The current picture at its own pixel size. Until the first good load it is empty, so that
// drawing, frame moves and cropping do nothing; a failed load leaves it as it was.
#pragma once

#include <QImage>

namespace veltrix {

struct ImageDocument {
  QImage picture;        // Format_RGB32
  bool present = false;  // a picture is there to show and crop
};

}  // namespace veltrix
