// One-click head framing: finds the face in the picture, measures the head and works out the
// zoom, scroll and frame place that meet the output size's rule. Changes nothing itself.
#pragma once

#include <QImage>
#include <QSize>
#include <variant>

#include "framing/head_placement.h"

namespace veltrix {

class FaceDetector;

enum class FramingFailure { Unavailable, NoFace, NoPlace };

std::variant<HeadPlacement, FramingFailure> frameHead(FaceDetector& detector, const QImage& picture,
                                                      QSize output, QSize canvas);

}  // namespace veltrix
