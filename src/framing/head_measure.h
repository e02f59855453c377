// Where a detected face's head is in a photo: the one face to frame when there are several,
// the crown where the background above the face ends, the chin and the eye line.
#pragma once

#include <QImage>
#include <optional>
#include <vector>

#include "platform/face_detector.h"

namespace veltrix {

// In the photo's pixels.
struct HeadMeasure {
  int centreX = 0;
  int faceWidth = 0;
  int crown = 0;
  int eyes = 0;
  int chin = 0;
};

// The largest face, or among faces nearly as large the one nearest the photo's centre; faces
// the eye cascade confirmed come before those it did not. None for no faces.
std::optional<DetectedFace> chooseFace(const std::vector<DetectedFace>& faces, QSize photo);

HeadMeasure measureHead(const QImage& photo, const DetectedFace& face);

}  // namespace veltrix
