// Scales a picture to an exact size for display: area averaging when shrinking, so no detail
// is dropped, and bilinear filtering when enlarging. The same size returns the picture itself.
#pragma once

#include <QImage>

namespace veltrix {

// source is Format_RGB32; so is the result. An empty size gives a null image.
QImage scalePicture(const QImage& source, int width, int height);

}  // namespace veltrix
