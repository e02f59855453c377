#include "view/view_state.h"

#include <algorithm>

namespace veltrix {

QImage blankCanvas(int width, int height) {
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

}  // namespace veltrix
