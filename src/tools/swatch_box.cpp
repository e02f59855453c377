#include "tools/swatch_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "tools/tool_pictures.h"

namespace veltrix {

SwatchBox::SwatchBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

// Shrunk without smoothing, every shown pixel is one of the swatches' own colours.
void SwatchBox::resizeEvent(QResizeEvent*) {
  shown_ = swatchPicture().scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void SwatchBox::paintEvent(QPaintEvent*) {
  QPainter(this).drawImage(0, 0, shown_);
}

void SwatchBox::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() != Qt::LeftButton || !shown_.rect().contains(at)) return;
  emit picked(QColor(shown_.pixel(at)));
}

}  // namespace veltrix
