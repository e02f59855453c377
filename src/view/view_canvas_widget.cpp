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
  if (overlay_) overlay_(painter);
}

void ViewCanvasWidget::setOverlay(Overlay overlay) {
  overlay_ = std::move(overlay);
  update();
}

}  // namespace veltrix
