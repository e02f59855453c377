// Runs one-click framing over a folder of photos and tells, photo by photo, whether the head
// lands within the bands of the output size's rule, judged on the crop itself: the face found
// again in it, its eyes and the top of its hair.
// Usage: framing_eval FOLDER [WIDTHxHEIGHT]   (default 358x441, the ID-card size)
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

#include "framing/head_framing.h"
#include "framing/head_guides.h"
#include "framing/head_measure.h"
#include "platform/face_detector.h"
#include "view/view_render.h"

namespace {

using namespace veltrix;

// What is wrong with the crop's head, or nothing when it lies within every band.
QStringList missedBands(FaceDetector& detector, const QImage& crop) {
  const HeadGuides rule = headGuides(crop.width(), crop.height());
  const std::optional<DetectedFace> face = chooseFace(detector.faces(crop), crop.size());
  if (!face) return {QStringLiteral("no face found again in the crop")};
  const HeadMeasure head = measureHead(crop, *face);
  QStringList missed;
  const auto outside = [&missed](const char* what, int value, int from, int to) {
    if (value < from || value > to)
      missed << QStringLiteral("%1 %2 outside %3-%4").arg(what).arg(value).arg(from).arg(to);
  };
  // A few pixels of slack: the cascade's box moves by that much from one scale to the next.
  constexpr int kSlack = 3;
  outside("centre", head.centreX, rule.centre - 2 * kSlack, rule.centre + 2 * kSlack);
  outside("crown", head.crown, rule.crown.from - kSlack, rule.crown.to + kSlack);
  if (rule.faceWidth)
    outside("face width", head.faceWidth, rule.faceWidth->from - kSlack,
            rule.faceWidth->to + kSlack);
  if (rule.chin) outside("chin", head.chin, rule.chin->from - kSlack, rule.chin->to + kSlack);
  if (rule.eyeLine) outside("eyes", head.eyes, 0, *rule.eyeLine + kSlack);
  return missed;
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: framing_eval FOLDER [WIDTHxHEIGHT]\n");
    return 2;
  }
  QSize output(358, 441);
  if (argc > 2) {
    const QStringList sides = QString::fromLocal8Bit(argv[2]).split(u'x');
    if (sides.size() == 2) output = QSize(sides[0].toInt(), sides[1].toInt());
  }
  const std::unique_ptr<FaceDetector> detector = makeFaceDetector();
  if (!detector->available()) {
    std::fprintf(stderr, "framing_eval: OpenCV's cascades are not installed\n");
    return 1;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  int photos = 0, framed = 0, within = 0;
  for (const QString& name :
       folder.entryList({"*.jpg", "*.jpeg", "*.png", "*.bmp", "*.gif"}, QDir::Files, QDir::Name)) {
    const QImage photo = QImage(folder.filePath(name)).convertToFormat(QImage::Format_RGB32);
    if (photo.isNull()) continue;
    ++photos;
    const auto result = frameHead(*detector, photo, output, QSize(412, 318));
    if (const auto* failure = std::get_if<FramingFailure>(&result)) {
      std::printf("%s: %s\n", qPrintable(name),
                  *failure == FramingFailure::NoFace ? "no face" : "no place inside the photo");
      continue;
    }
    ++framed;
    const HeadPlacement& placed = std::get<HeadPlacement>(result);
    const QImage crop = photo
                            .scaled(scaledSize(photo.size(), placed.zoom), Qt::IgnoreAspectRatio,
                                    Qt::SmoothTransformation)
                            .copy(QRect(placed.cropOrigin, output));
    const QStringList missed = missedBands(*detector, crop);
    if (missed.isEmpty()) ++within;
    std::printf(
        "%s: %s\n", qPrintable(name),
        missed.isEmpty() ? "within the bands" : qPrintable(missed.join(QStringLiteral("; "))));
  }
  std::printf("%d photos, a face framed in %d, within the bands %d\n", photos, framed, within);
  return 0;
}
