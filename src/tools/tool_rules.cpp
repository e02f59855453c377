#include "tools/tool_rules.h"

#include <algorithm>

#include "platform/text_codec.h"
#include "settings/number_rules.h"

namespace veltrix {

QColor contrastColour(const QColor& colour) {
  return QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
}

QColor entryBackground(const QColor& textColour) {
  if (textColour.rgb() == qRgb(128, 128, 128)) return Qt::white;
  return contrastColour(textColour);
}

int penWidthFrom(const QString& text) {
  const double number = leadingNumber(text);
  if (number >= kMaxPenWidth) return kMaxPenWidth;
  return static_cast<int>(number);
}

int lineWidth(int penWidth) {
  return std::max(penWidth, 1);
}

QRect dotBox(QPoint at, int w) {
  if (w <= 1) return {};
  const int r = w / 2;
  const int extra = w % 2;
  return QRect(QPoint(at.x() - r, at.y() - r),
               QPoint(at.x() + r - 1 + extra, at.y() + r - 1 + extra));
}

int entryWidth(const QString& text, int charWidth) {
  return (gb18030Length(text) + 2) * charWidth;
}

}  // namespace veltrix
