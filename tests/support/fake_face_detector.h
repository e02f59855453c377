// A face detector told where the faces are: in the pixels of a photo of a given width, and
// scaled to whatever copy of that photo it is asked about. Given a real detector, it asks that
// one instead, for the tests that frame real photos.
#pragma once

#include <vector>

#include "platform/face_detector.h"

namespace veltrix::test {

class FakeFaceDetector final : public FaceDetector {
 public:
  bool isAvailable = true;
  int photoWidth = 1;               // the width the faces' pixels are counted in
  std::vector<DetectedFace> found;  // in those pixels
  int asked = 0;
  FaceDetector* real = nullptr;

  bool available() const override { return real ? real->available() : isAvailable; }

  std::vector<DetectedFace> faces(const QImage& photo) override {
    ++asked;
    if (real) return real->faces(photo);
    if (!isAvailable) return {};
    const double scale = double(photo.width()) / photoWidth;
    const auto scaled = [scale](int v) { return qRound(v * scale); };
    std::vector<DetectedFace> result;
    for (const DetectedFace& face : found) {
      DetectedFace copy;
      copy.face = QRect(scaled(face.face.x()), scaled(face.face.y()), scaled(face.face.width()),
                        scaled(face.face.height()));
      for (const QPoint& eye : face.eyes) copy.eyes.emplace_back(scaled(eye.x()), scaled(eye.y()));
      result.push_back(copy);
    }
    return result;
  }
};

}  // namespace veltrix::test
