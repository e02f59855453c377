// Face detection with OpenCV's cascade classifiers: the frontal-face cascade finds faces on a
// reduced grey copy of the photo, and the eye cascade looks for eyes in each face's upper half.
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

#include "platform/face_detector.h"

namespace veltrix {
namespace {

// Detection on a copy whose longer side is at most this: faces in an ID photo are large, and
// the cascade's time grows with the pixels it scans.
constexpr int kDetectionSide = 640;

QString cascadeFolder() {
  const QString chosen = qEnvironmentVariable("VELTRIX_CASCADES");
  return chosen.isEmpty() ? QStringLiteral("/usr/share/opencv4/haarcascades") : chosen;
}

cv::Mat greyCopy(const QImage& photo, double scale) {
  const QImage small = photo
                           .scaled(std::max(1, qRound(photo.width() * scale)),
                                   std::max(1, qRound(photo.height() * scale)),
                                   Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_Grayscale8);
  cv::Mat grey(small.height(), small.width(), CV_8UC1);
  for (int y = 0; y < small.height(); ++y)
    std::copy_n(small.constScanLine(y), small.width(), grey.ptr<uchar>(y));
  cv::equalizeHist(grey, grey);
  return grey;
}

class OpenCvFaceDetector final : public FaceDetector {
 public:
  OpenCvFaceDetector() {
    const QDir folder(cascadeFolder());
    const auto load = [&folder](cv::CascadeClassifier& cascade, const char* name) {
      const QString path = folder.filePath(QString::fromLatin1(name));
      return QFileInfo::exists(path) && cascade.load(QFile::encodeName(path).toStdString());
    };
    available_ =
        load(faces_, "haarcascade_frontalface_default.xml") && load(eyes_, "haarcascade_eye.xml");
  }

  bool available() const override { return available_; }

  std::vector<DetectedFace> faces(const QImage& photo) override {
    std::vector<DetectedFace> found;
    if (!available_ || photo.isNull()) return found;
    const double scale =
        std::min(1.0, double(kDetectionSide) / std::max(photo.width(), photo.height()));
    const cv::Mat grey = greyCopy(photo, scale);
    std::vector<cv::Rect> boxes;
    const int smallest = std::max(24, std::min(grey.cols, grey.rows) / 10);
    faces_.detectMultiScale(grey, boxes, 1.1, 5, 0, cv::Size(smallest, smallest));
    const auto inPhoto = [scale](double v) { return qRound(v / scale); };
    for (const cv::Rect& box : boxes) {
      DetectedFace face;
      face.face = QRect(inPhoto(box.x), inPhoto(box.y), inPhoto(box.width), inPhoto(box.height));
      const cv::Rect upperHalf(box.x, box.y, box.width, box.height / 2);
      std::vector<cv::Rect> eyes;
      eyes_.detectMultiScale(grey(upperHalf), eyes, 1.1, 3, 0,
                             cv::Size(std::max(8, box.width / 8), std::max(8, box.width / 8)));
      for (const cv::Rect& eye : eyes) {
        face.eyes.emplace_back(inPhoto(box.x + eye.x + eye.width / 2.0),
                               inPhoto(box.y + eye.y + eye.height / 2.0));
      }
      found.push_back(std::move(face));
    }
    return found;
  }

 private:
  bool available_ = false;
  cv::CascadeClassifier faces_;
  cv::CascadeClassifier eyes_;
};

}  // namespace

std::unique_ptr<FaceDetector> makeFaceDetector() {
  return std::make_unique<OpenCvFaceDetector>();
}

}  // namespace veltrix
