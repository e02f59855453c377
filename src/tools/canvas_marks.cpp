#include "tools/canvas_marks.h"

#include <QPainter>
#include <cstring>

#include "tools/tool_rules.h"

namespace veltrix {

// Pixels whose centres lie inside the ellipse of the box are filled, so the middle row and
// column always span the whole box.
void drawDot(QImage& canvas, QPoint at, int width, const QColor& colour) {
  const QRect box = dotBox(at, width);
  if (box.isEmpty()) return;
  const double cx = box.left() + box.width() / 2.0;
  const double cy = box.top() + box.height() / 2.0;
  const double rx = box.width() / 2.0;
  const double ry = box.height() / 2.0;
  const QRgb rgb = colour.rgb();
  const QRect clipped = box & canvas.rect();
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
    const double dy = (y + 0.5 - cy) / ry;
    for (int x = clipped.left(); x <= clipped.right(); ++x) {
      const double dx = (x + 0.5 - cx) / rx;
      if (dx * dx + dy * dy <= 1.0) row[x] = rgb;
    }
  }
}

void drawStrokeSegment(QImage& canvas, QPoint from, QPoint to, int width, const QColor& colour) {
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(colour, lineWidth(width), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawLine(from, to);
}

void outlineDot(QPainter& painter, QPoint at, int width, const QColor& colour) {
  const QRect box = dotBox(at, width);
  if (box.isEmpty()) return;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(colour, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(box.adjusted(0, 0, -1, -1));
}

void drawToolText(QImage& canvas, QPoint topLeft, const QString& text, const QFont& font,
                  const QColor& colour) {
  if (text.isEmpty()) return;
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(QRect(topLeft, QSize(canvas.width() + 1, canvas.height() + 1)),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void erasePenPreview(ViewState& view, const FrameLines& frame) {
  if (view.viewCanvas.size() != view.backCanvas.size() ||
      view.viewCanvas.format() != view.backCanvas.format()) {
    view.viewCanvas = view.backCanvas.copy();
  } else {
    std::memcpy(view.viewCanvas.bits(), view.backCanvas.constBits(),
                static_cast<size_t>(view.backCanvas.sizeInBytes()));
  }
  drawFrame(view.viewCanvas, frame);
}

}  // namespace veltrix
