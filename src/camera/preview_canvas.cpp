#include "camera/preview_canvas.h"

#include <QPainter>

namespace veltrix {

// Every paint covers the whole canvas, so what lies beneath is never painted first.
PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

// Qt's smooth scaling averages the same areas when shrinking as the view's scaler does, to a
// level or two, in a fraction of the time: every frame of the camera is scaled on the GUI
// thread, thirty a second.
void PreviewCanvas::showFrame(const QImage& frame) {
  frame_ = frame.convertToFormat(QImage::Format_RGB32);
  if (frame_.isNull() || width() <= 0 || height() <= 0) return;
  shown_ = frame_.scaled(width(), height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  update();
}

void PreviewCanvas::clear() {
  frame_ = QImage();
  shown_ = QImage();
  update();
}

// A photo taken right after a resize must be the size the preview now has.
void PreviewCanvas::resizeEvent(QResizeEvent*) {
  if (!frame_.isNull()) showFrame(frame_);
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (shown_.isNull()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.drawImage(QPoint(0, 0), shown_);
  painter.end();
  emit framePainted();
}

}  // namespace veltrix
