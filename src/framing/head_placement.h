// The zoom, the scroll and the frame's place that put a measured head where the rule of the
// output size wants it, the frame inside the picture. The output size itself never changes.
#pragma once

#include <QPoint>
#include <QSize>
#include <optional>

#include "framing/head_guides.h"
#include "framing/head_measure.h"

namespace veltrix {

struct HeadPlacement {
  double zoom = 1.0;
  double scrollFractionX = 0.0;  // as the view keeps them; see ViewState
  double scrollFractionY = 0.0;
  QPoint interior;    // the frame interior's top-left corner on the view canvas
  QPoint cropOrigin;  // where the crop starts in the picture at the zoom
};

// None when no zoom within the view's bounds can hold the frame inside the picture.
std::optional<HeadPlacement> placeHead(const HeadMeasure& head, QSize picture, QSize output,
                                       QSize canvas);

}  // namespace veltrix
