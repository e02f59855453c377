#include "framing/head_guides.h"

#include <QPainter>
#include <QPen>
#include <cstdlib>

#include "output/output_size.h"

namespace veltrix {
namespace {

// The passport standard is written in millimetres at 300 DPI.
int passportMm(double mm) {
  return mmToPixels(mm, 300);
}

int percentOf(int length, int percent) {
  return length * percent / 100;
}

}  // namespace

HeadGuides headGuides(int width, int height) {
  HeadGuides guides;
  guides.centre = width / 2;
  if (width == 358 && height == 441) {
    guides.crown = {7, 21};
    guides.eyeLine = height - 207;
    guides.faceWidth = Band{207 - 14, 207 + 14};
  } else if (width == 390 && height == 567) {
    guides.crown = {passportMm(3), passportMm(5)};
    // Crown to chin 28-33 mm, from the crown band's own ends.
    guides.chin = Band{passportMm(3 + 28), passportMm(5 + 33)};
    guides.faceWidth = Band{passportMm(15), passportMm(22)};
  } else {
    guides.crown = {percentOf(height, 4), percentOf(height, 8)};
    guides.chin = Band{percentOf(height, 4 + 60), percentOf(height, 8 + 75)};
  }
  return guides;
}

QColor guideColour(const QColor& frameColour) {
  const QColor inverse(255 - frameColour.red(), 255 - frameColour.green(),
                       255 - frameColour.blue());
  // Near the middle grey the inverse is the same grey: then black or white, whichever is further.
  const int distance = std::abs(inverse.red() - frameColour.red()) +
                       std::abs(inverse.green() - frameColour.green()) +
                       std::abs(inverse.blue() - frameColour.blue());
  if (distance >= 192) return inverse;
  return qGray(frameColour.rgb()) < 128 ? QColor(Qt::white) : QColor(Qt::black);
}

void paintHeadGuides(QPainter& painter, const QRect& interior, const HeadGuides& guides,
                     const QColor& colour) {
  painter.save();
  QPen pen(colour, 1, Qt::DashLine);
  pen.setCosmetic(true);
  painter.setPen(pen);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setClipRect(interior);
  const auto row = [&](int y) {
    painter.drawLine(interior.left(), interior.top() + y, interior.right(), interior.top() + y);
  };
  const auto column = [&](int x) {
    painter.drawLine(interior.left() + x, interior.top(), interior.left() + x, interior.bottom());
  };
  row(guides.crown.from);
  row(guides.crown.to);
  if (guides.eyeLine) row(*guides.eyeLine);
  if (guides.chin) {
    row(guides.chin->from);
    row(guides.chin->to);
  }
  if (guides.faceWidth) {
    for (const int width : {guides.faceWidth->from, guides.faceWidth->to}) {
      column(guides.centre - width / 2);
      column(guides.centre + width / 2);
    }
  }
  column(guides.centre);
  painter.restore();
}

}  // namespace veltrix
