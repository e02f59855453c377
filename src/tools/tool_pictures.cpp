#include "tools/tool_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace veltrix {
namespace {

QImage transparentSquare() {
  QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// A tool lying from its point at `tip` up to the right, outlined in white so that it shows on
// dark pictures as well as on light ones.
void drawSlantedTool(QImage& image, QPoint tip, const QPolygonF& body, const QColor& fill) {
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.translate(tip);
  painter.rotate(-45);
  painter.setPen(QPen(Qt::white, 3));
  painter.drawPolygon(body);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(fill);
  painter.drawPolygon(body);
}

}  // namespace

QImage pencilPicture() {
  QImage image = transparentSquare();
  // The point at the origin, the shaft along the x axis.
  const QPolygonF body({{0, 0}, {6, -3}, {22, -3}, {22, 3}, {6, 3}});
  drawSlantedTool(image, kPencilHotSpot, body, QColor(240, 200, 60));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  // The bare wood and the lead at the point.
  painter.translate(kPencilHotSpot);
  painter.rotate(-45);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(235, 205, 160));
  painter.drawPolygon(QPolygonF({{1, 0}, {6, -2.5}, {6, 2.5}}));
  painter.setBrush(Qt::black);
  painter.drawPolygon(QPolygonF({{0, 0}, {2.5, -1.2}, {2.5, 1.2}}));
  painter.resetTransform();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::black);
  painter.drawPoint(kPencilHotSpot);
  return image;
}

QImage dropperPicture() {
  QImage image = transparentSquare();
  const QPolygonF body(
      {{0, 0}, {4, -1.5}, {14, -1.5}, {14, -4}, {22, -4}, {22, 4}, {14, 4}, {14, 1.5}, {4, 1.5}});
  drawSlantedTool(image, kDropperHotSpot, body, QColor(120, 170, 230));
  QPainter painter(&image);
  painter.setPen(Qt::black);
  painter.drawPoint(kDropperHotSpot);
  return image;
}

QCursor pencilCursor() {
  return QCursor(QPixmap::fromImage(pencilPicture()), kPencilHotSpot.x(), kPencilHotSpot.y());
}

QCursor dropperCursor() {
  return QCursor(QPixmap::fromImage(dropperPicture()), kDropperHotSpot.x(), kDropperHotSpot.y());
}

QImage swatchPicture() {
  constexpr int kWidth = 98, kHeight = 194, kColumns = 7, kRows = 15;
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  const auto cell = [&](int row, int column, const QColor& colour) {
    const QRect area(QPoint(column * kWidth / kColumns, row * kHeight / kRows),
                     QPoint((column + 1) * kWidth / kColumns - 1, (row + 1) * kHeight / kRows - 1));
    QPainter(&image).fillRect(area, colour);
  };
  for (int column = 0; column < kColumns; ++column) {
    // Browns from dark to light.
    cell(0, column, QColor::fromHsv(25, 200, 60 + column * 30));
    for (int hue = 0; hue < 12; ++hue) {
      // Dark shades first, the pure hue in the middle, tints towards the right.
      const int saturation = column <= 3 ? 255 : 255 - (column - 3) * 55;
      const int value = column <= 3 ? 90 + column * 55 : 255;
      cell(1 + hue, column, QColor::fromHsv(hue * 30, saturation, value));
    }
    const int grey = 32 + column * 32;
    cell(13, column, QColor(grey, grey, grey));
    cell(14, column, column < kColumns / 2 + 1 ? Qt::black : Qt::white);
  }
  return image;
}

}  // namespace veltrix
