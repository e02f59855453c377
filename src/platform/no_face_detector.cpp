// The detector of a build without OpenCV: never available, so framing says so.
#include "platform/face_detector.h"

namespace veltrix {
namespace {

class NoFaceDetector final : public FaceDetector {
 public:
  bool available() const override { return false; }
  std::vector<DetectedFace> faces(const QImage&) override { return {}; }
};

}  // namespace

std::unique_ptr<FaceDetector> makeFaceDetector() {
  return std::make_unique<NoFaceDetector>();
}

}  // namespace veltrix
