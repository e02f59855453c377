#include "framing/head_framing.h"

#include <algorithm>
#include <cmath>

#include "platform/face_detector.h"

namespace veltrix {
namespace {

// Faces and hair are found on a copy no longer than this on a side: an ID photo's head is
// large, and a 24-megapixel photo would cost its pixels many times over. The copy is taken by
// dropping pixels, which is cheap; the detector then filters it down to its own smaller size.
// Filtering the whole photo down in one step costs more than three times as long.
constexpr int kWorkingSide = 800;

int scaledBack(int value, double scale) {
  return int(std::lround(value / scale));
}

}  // namespace

std::variant<HeadPlacement, FramingFailure> frameHead(FaceDetector& detector, const QImage& picture,
                                                      QSize output, QSize canvas) {
  if (!detector.available()) return FramingFailure::Unavailable;
  const double scale =
      std::min(1.0, double(kWorkingSide) / std::max(picture.width(), picture.height()));
  const QImage working = scale < 1.0 ? picture.scaled(std::max(1, int(picture.width() * scale)),
                                                      std::max(1, int(picture.height() * scale)),
                                                      Qt::IgnoreAspectRatio, Qt::FastTransformation)
                                     : picture;
  const std::optional<DetectedFace> face = chooseFace(detector.faces(working), working.size());
  if (!face) return FramingFailure::NoFace;
  HeadMeasure head = measureHead(working, *face);
  head.centreX = scaledBack(head.centreX, scale);
  head.faceWidth = scaledBack(head.faceWidth, scale);
  head.crown = scaledBack(head.crown, scale);
  head.eyes = scaledBack(head.eyes, scale);
  head.chin = scaledBack(head.chin, scale);
  const std::optional<HeadPlacement> placed = placeHead(head, picture.size(), output, canvas);
  if (!placed) return FramingFailure::NoPlace;
  return *placed;
}

}  // namespace veltrix
