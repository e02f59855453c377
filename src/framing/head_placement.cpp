#include "framing/head_placement.h"

#include <algorithm>
#include <cmath>

#include "view/view_render.h"

namespace veltrix {
namespace {

int middle(const Band& band) {
  return (band.from + band.to) / 2;
}

struct AxisPlacement {
  double fraction = 0.0;
  int interior = 0;
};

// The view centres a scaled picture no larger than the canvas; a larger one scrolls, and the
// frame stays as near the canvas's middle as the scroll's ends allow.
AxisPlacement placeAxis(int scaled, int canvas, int length, int origin) {
  if (scaled <= canvas) {
    const int offset = std::max(0, (canvas - scaled) / 2);
    return {0.0, offset + origin};
  }
  const int maximum = scaled - canvas;
  const int source = std::clamp(origin - (canvas - length) / 2, 0, maximum);
  // The view takes its position as the whole part of maximum times the fraction.
  const double fraction = source == maximum ? 1.0 : (source + 0.5) / maximum;
  return {fraction, origin - source};
}

}  // namespace

std::optional<HeadPlacement> placeHead(const HeadMeasure& head, QSize picture, QSize output,
                                       QSize canvas) {
  const HeadGuides guides = headGuides(output.width(), output.height());
  const int headHeight = std::max(1, head.chin - head.crown);
  double zoom = 0.0;
  if (guides.chin) {
    zoom = double(middle(*guides.chin) - middle(guides.crown)) / headHeight;
  } else if (guides.faceWidth) {
    zoom = double(middle(*guides.faceWidth)) / std::max(1, head.faceWidth);
  }
  // The frame inside the picture: never a zoom that leaves the picture smaller than the frame.
  zoom = std::max(
      {zoom, double(output.width()) / picture.width(), double(output.height()) / picture.height()});
  const QSize scaled = scaledSize(picture, zoom);
  if (scaled.width() < output.width() || scaled.height() < output.height() ||
      scaled.width() > kMaxScaledSide || scaled.height() > kMaxScaledSide ||
      qint64(scaled.width()) * scaled.height() > kMaxScaledPixels)
    return std::nullopt;

  int originX = int(std::lround(head.centreX * zoom)) - output.width() / 2;
  int originY = int(std::lround(head.crown * zoom)) - middle(guides.crown);
  // The eyes win over the crown when both cannot hold.
  if (guides.eyeLine) {
    const int eyes = int(std::lround(head.eyes * zoom)) - originY;
    if (eyes > *guides.eyeLine) originY += eyes - *guides.eyeLine;
  }
  originX = std::clamp(originX, 0, scaled.width() - output.width());
  originY = std::clamp(originY, 0, scaled.height() - output.height());

  const AxisPlacement x = placeAxis(scaled.width(), canvas.width(), output.width(), originX);
  const AxisPlacement y = placeAxis(scaled.height(), canvas.height(), output.height(), originY);
  return HeadPlacement{zoom, x.fraction, y.fraction, {x.interior, y.interior}, {originX, originY}};
}

}  // namespace veltrix
