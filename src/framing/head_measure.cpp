#include "framing/head_measure.h"

#include <algorithm>
#include <cmath>

namespace veltrix {
namespace {

// Where the eyes and the chin sit in the frontal-face cascade's box, as parts of its height.
constexpr double kEyesInBox = 0.40;
constexpr double kChinInBox = 1.08;
// Above the box the forehead and the hair go on for about this part of the box's height, where
// the crown is taken when no background shows above the head; it is looked for up to a whole
// box's height above the box.
constexpr double kCrownAboveBox = 0.35;
constexpr double kCrownSearch = 1.0;
// Hair, not forehead, is seen this part of the box's height above the box.
constexpr double kHairAboveBox = 0.2;
// How far, as the sum of the three channels' differences, a pixel may be from the background.
constexpr int kTolerance = 60;

int colourDistance(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
         std::abs(qBlue(a) - qBlue(b));
}

// The average colour of a row's pixels over [left, right).
QRgb rowColour(const QImage& photo, int y, int left, int right) {
  long red = 0, green = 0, blue = 0;
  for (int x = left; x < right; ++x) {
    const QRgb pixel = photo.pixel(x, y);
    red += qRed(pixel), green += qGreen(pixel), blue += qBlue(pixel);
  }
  const long count = std::max(1, right - left);
  return qRgb(int(red / count), int(green / count), int(blue / count));
}

// An ID photo's background is plain: its colour is read at the top of the photo above the head.
// None when that looks like the hair just above the face, which then reaches the top.
std::optional<QRgb> backgroundColour(const QImage& photo, const QRect& box, int left, int right) {
  const int rows = std::max(1, photo.height() / 50);
  const auto band = [&photo, left, right](int from, int count) {
    long red = 0, green = 0, blue = 0;
    for (int y = from; y < from + count; ++y) {
      const QRgb colour = rowColour(photo, y, left, right);
      red += qRed(colour), green += qGreen(colour), blue += qBlue(colour);
    }
    return qRgb(int(red / count), int(green / count), int(blue / count));
  };
  const QRgb top = band(0, rows);
  const int hairRow = box.top() - int(std::lround(box.height() * kHairAboveBox));
  if (hairRow <= rows) return std::nullopt;
  if (colourDistance(top, band(hairRow, 1)) <= kTolerance) return std::nullopt;
  return top;
}

// Walks up from the face's box over the middle half of its width: the crown is the first row
// whose pixels, like the background's, are no longer hair.
int findCrown(const QImage& photo, const QRect& box) {
  const int fallback = std::max(0, box.top() - int(std::lround(box.height() * kCrownAboveBox)));
  const int left = std::clamp(box.left() + box.width() / 4, 0, photo.width() - 1);
  const int right = std::clamp(box.right() - box.width() / 4, left + 1, photo.width());
  const int highest = std::max(0, box.top() - int(std::lround(box.height() * kCrownSearch)));
  const std::optional<QRgb> background = backgroundColour(photo, box, left, right);
  if (!background) return fallback;
  for (int y = box.top(); y >= highest; --y) {
    int backgroundPixels = 0;
    for (int x = left; x < right; ++x) {
      backgroundPixels += colourDistance(photo.pixel(x, y), *background) <= kTolerance;
    }
    // Most of the middle of the row is background: the row below holds the top of the hair.
    if (backgroundPixels * 4 >= (right - left) * 3) return std::min(y + 1, box.top());
  }
  return fallback;
}

}  // namespace

std::optional<DetectedFace> chooseFace(const std::vector<DetectedFace>& faces, QSize photo) {
  std::vector<const DetectedFace*> candidates;
  for (const DetectedFace& face : faces) {
    if (!face.eyes.empty()) candidates.push_back(&face);
  }
  if (candidates.empty()) {
    for (const DetectedFace& face : faces) candidates.push_back(&face);
  }
  if (candidates.empty()) return std::nullopt;
  const auto area = [](const DetectedFace* face) {
    return qint64(face->face.width()) * face->face.height();
  };
  const qint64 largest = area(*std::max_element(
      candidates.begin(), candidates.end(),
      [&area](const DetectedFace* a, const DetectedFace* b) { return area(a) < area(b); }));
  const QPointF centre(photo.width() / 2.0, photo.height() / 2.0);
  const DetectedFace* chosen = nullptr;
  double nearest = 0;
  for (const DetectedFace* face : candidates) {
    // Nearly as large: a face at the edge of a group photo does not win by a few pixels.
    if (area(face) * 3 < largest * 2) continue;
    const QPointF offset = QRectF(face->face).center() - centre;
    const double distance = std::hypot(offset.x(), offset.y());
    if (!chosen || distance < nearest) chosen = face, nearest = distance;
  }
  return *chosen;
}

HeadMeasure measureHead(const QImage& photo, const DetectedFace& face) {
  const QRect& box = face.face;
  HeadMeasure head;
  head.centreX = box.left() + box.width() / 2;
  head.faceWidth = box.width();
  head.crown = findCrown(photo, box);
  if (face.eyes.empty()) {
    head.eyes = box.top() + int(std::lround(box.height() * kEyesInBox));
  } else {
    int sum = 0;
    for (const QPoint& eye : face.eyes) sum += eye.y();
    head.eyes = sum / int(face.eyes.size());
  }
  head.chin = box.top() + int(std::lround(box.height() * kChinInBox));
  return head;
}

}  // namespace veltrix
