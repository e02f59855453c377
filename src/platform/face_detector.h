// Finds frontal faces in a photo for head framing. Behind this interface so that the program
// builds, runs and is tested without a face-detection library or its trained data.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <memory>
#include <vector>

namespace veltrix {

struct DetectedFace {
  QRect face;                // in the photo's pixels
  std::vector<QPoint> eyes;  // the eyes found inside the face, in the photo's pixels
};

class FaceDetector {
 public:
  virtual ~FaceDetector() = default;

  // False when the detector or its data is missing: framing is then unavailable.
  virtual bool available() const = 0;
  // Every face found, in no particular order; none when unavailable.
  virtual std::vector<DetectedFace> faces(const QImage& photo) = 0;
};

// The detector this build has: OpenCV's cascade classifiers with Debian's opencv-data, or one
// that is never available when the program was built without OpenCV.
std::unique_ptr<FaceDetector> makeFaceDetector();

}  // namespace veltrix
