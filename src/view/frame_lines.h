// The capture frame's four lines on the view canvas, drawn as the platform's one-pixel
// line drawing does: each line stops one pixel short of its end point.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

namespace veltrix {

struct FrameLines {
  QRect interior;  // the frame interior on the view canvas; its size is the output size
  QColor colour;
};

void drawFrame(QImage& canvas, const FrameLines& frame);

}  // namespace veltrix
