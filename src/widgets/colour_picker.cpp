#include "widgets/colour_picker.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

#include "platform/prompter.h"

namespace veltrix {

ColourPicker::ColourPicker(Prompter& prompter, QColor colour, QWidget* parent)
    : QToolButton(parent), prompter_(prompter), colour_(colour) {
  connect(this, &QToolButton::clicked, this, &ColourPicker::choose);
}

void ColourPicker::setColour(const QColor& colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
  emit colourChanged(colour_);
}

void ColourPicker::choose() {
  if (const auto chosen = prompter_.chooseColour(window(), colour_)) setColour(*chosen);
}

void ColourPicker::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionToolButton option;
  initStyleOption(&option);
  option.text.clear();
  painter.drawComplexControl(QStyle::CC_ToolButton, option);
  const QRect swatch = rect().adjusted(4, 4, -5, -5);
  painter.fillRect(swatch, colour_);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawRect(swatch);
}

}  // namespace veltrix
