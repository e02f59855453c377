// The capture frame's four lines on the view canvas, drawn as the platform's one-pixel
// line drawing does: each line stops one pixel short of its end point.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include "output/output_spec.h"
#include "view/capture_frame.h"

namespace veltrix {

struct FrameLines {
  QRect interior;  // the frame interior on the view canvas; its size is the output size
  QColor colour;
};

// The lines of the frame as it stands: at its place, of the output size, in its colour.
FrameLines frameLines(const CaptureFrame& frame, const OutputSpec& output);

void drawFrame(QImage& canvas, const FrameLines& frame);

}  // namespace veltrix
