#include "output/output_size.h"

#include <cmath>

#include "settings/number_text.h"

namespace veltrix {

double roundHalfAway(double value) {
  const double magnitude = std::floor(std::abs(value) + 0.5 + 1e-12);
  return value < 0 ? -magnitude : magnitude;
}

int mmToPixels(double mm, int dpi) {
  return truncToInt(roundHalfAway(mm * dpi / 25.4));
}

float pixelsToMm(int pixels, int dpi) {
  if (dpi == 0) return 0.0f;
  return static_cast<float>(roundHalfAway(pixels * 25.4 / dpi * 10.0) / 10.0);
}

int integerPrefix(const QString& text) {
  QString compact = text;
  compact.remove(u' ');
  qsizetype end = 0;
  if (end < compact.size() && (compact[end] == u'-' || compact[end] == u'+')) ++end;
  while (end < compact.size() && compact[end].isDigit() && compact[end].unicode() < 0x80) ++end;
  return truncToInt(compact.first(end).toDouble());
}

QString formatFloat(float value) {
  return QString::asprintf("%.6g", static_cast<double>(value));
}

QString formatDouble(double value) {
  return QString::asprintf("%.13g", value);
}

}  // namespace veltrix
