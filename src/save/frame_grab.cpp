#include "save/frame_grab.h"

#include <QPainter>

namespace veltrix {

QImage grabFrame(const QImage& viewCanvas, const QRect& interior) {
  if (interior.width() <= 0 || interior.height() <= 0) return {};
  if (viewCanvas.rect().contains(interior)) return viewCanvas.copy(interior);
  QImage grab(interior.size(), QImage::Format_RGB32);
  grab.fill(Qt::white);
  QPainter painter(&grab);
  painter.drawImage(QPoint(0, 0), viewCanvas, interior);
  return grab;
}

}  // namespace veltrix
