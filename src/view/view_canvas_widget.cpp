#include "view/view_canvas_widget.h"

#include <QPaintEvent>
#include <QPainter>

namespace veltrix {

ViewCanvasWidget::ViewCanvasWidget(const QImage& image, QWidget* parent)
    : QWidget(parent), image_(image) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void ViewCanvasWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  painter.drawImage(event->rect().topLeft(), image_, event->rect());
  // Each layer starts from a plain painter, whatever the one below it left set.
  for (const Overlay* layer : {&overlay_, &pointerMark_}) {
    if (!*layer) continue;
    painter.save();
    (*layer)(painter);
    painter.restore();
  }
}

void ViewCanvasWidget::leaveEvent(QEvent* event) {
  setPointerMark({});
  QWidget::leaveEvent(event);
}

void ViewCanvasWidget::setOverlay(Overlay overlay) {
  overlay_ = std::move(overlay);
  update();
}

void ViewCanvasWidget::setPointerMark(Overlay mark) {
  pointerMark_ = std::move(mark);
  update();
}

}  // namespace veltrix
