#include "tools/tool_font.h"

#include <algorithm>
#include <cmath>

#include "tools/texts.h"

namespace veltrix {

QString substituteFace(const QString& face) {
  if (face == QString::fromUtf8(tools_texts::kStartFace))
    return QStringLiteral("Noto Serif CJK SC");
  return face;
}

QFont toolFont(const QFont& chosen) {
  QFont font = chosen;
  font.setFamily(substituteFace(chosen.family()));
  const double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : tools_texts::kStartPoints;
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
  font.setStyleStrategy(
      static_cast<QFont::StyleStrategy>(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QFont startFont() {
  QFont font(QString::fromUtf8(tools_texts::kStartFace));
  font.setPointSize(tools_texts::kStartPoints);
  return font;
}

}  // namespace veltrix
