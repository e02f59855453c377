#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>

#include "platform/face_detector.h"

namespace veltrix {
namespace {

constexpr const char* kCascades = "/usr/share/opencv4/haarcascades";
constexpr const char* kPlayer = "/usr/share/doc/opencv-doc/examples/data/messi5.jpg";

TEST(FaceDetector, WithoutItsDataItIsUnavailableAndFindsNothing) {
  QTemporaryDir empty;
  qputenv("VELTRIX_CASCADES", QFile::encodeName(empty.path()));
  const std::unique_ptr<FaceDetector> detector = makeFaceDetector();
  qunsetenv("VELTRIX_CASCADES");
  EXPECT_FALSE(detector->available());
  QImage photo(200, 200, QImage::Format_RGB32);
  photo.fill(Qt::gray);
  EXPECT_TRUE(detector->faces(photo).empty());
}

TEST(FaceDetector, FindsTheFaceInAPhoto) {
  if (!VELTRIX_FACE_DETECTION || !QFileInfo::exists(QString::fromLatin1(kCascades)) ||
      !QFileInfo::exists(QString::fromLatin1(kPlayer)))
    GTEST_SKIP() << "built without OpenCV, or no cascades or sample photo installed";
  const std::unique_ptr<FaceDetector> detector = makeFaceDetector();
  ASSERT_TRUE(detector->available());
  const QImage photo(QString::fromLatin1(kPlayer));
  const std::vector<DetectedFace> faces = detector->faces(photo);
  // The player's face, about 40 pixels wide around (245, 112), is among what it finds.
  EXPECT_TRUE(std::any_of(faces.begin(), faces.end(), [](const DetectedFace& face) {
    return face.face.contains(245, 112) && face.face.width() >= 30 && face.face.width() <= 60;
  }));
}

}  // namespace
}  // namespace veltrix
