// The picture inside the capture frame: exactly the view-canvas pixels the user sees there.
#pragma once

#include <QImage>
#include <QRect>

namespace veltrix {

// The interior's pixels of the view canvas, one to one. Where the frame reaches past the
// canvas the view's white background is taken. An empty interior gives a null image.
QImage grabFrame(const QImage& viewCanvas, const QRect& interior);

}  // namespace veltrix
