// Val()-style number reading, independent of the C locale's decimal separator.
#include "settings/number_rules.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace veltrix {

namespace {

bool isDigit(QChar ch) {
  return ch >= u'0' && ch <= u'9';
}

// VB's Val() skips blanks, tabs and line feeds before the number.
bool isLeadingBlank(QChar ch) {
  return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\n';
}

}  // namespace

double leadingNumber(const QString& text) {
  qsizetype pos = 0;
  while (pos < text.size() && isLeadingBlank(text[pos])) ++pos;

  std::string number;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
    number += text[pos++].toLatin1();

  bool anyDigit = false;
  bool seenPoint = false;
  // Order of magnitude of the mantissa, used only to tell overflow from underflow.
  long long magnitude = 0;
  bool significant = false;
  for (; pos < text.size(); ++pos) {
    const QChar ch = text[pos];
    if (ch == u'.' && !seenPoint) {
      seenPoint = true;
    } else if (isDigit(ch)) {
      anyDigit = true;
      if (ch != u'0') significant = true;
      if (!seenPoint && significant) ++magnitude;
      if (seenPoint && !significant) --magnitude;
    } else {
      break;
    }
    number += ch.toLatin1();
  }
  if (!anyDigit) return 0.0;

  long long exponent = 0;
  if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
    qsizetype digitsAt = pos + 1;
    const bool negative = digitsAt < text.size() && text[digitsAt] == u'-';
    if (digitsAt < text.size() && (text[digitsAt] == u'+' || negative)) ++digitsAt;
    if (digitsAt < text.size() && isDigit(text[digitsAt])) {
      number += 'e';
      if (negative) number += '-';
      for (pos = digitsAt; pos < text.size() && isDigit(text[pos]); ++pos) {
        number += text[pos].toLatin1();
        if (exponent < 100000) exponent = exponent * 10 + text[pos].digitValue();
      }
      if (negative) exponent = -exponent;
    }
  }

  // from_chars takes no leading '+'.
  const char* first = number.data() + (number.front() == '+' ? 1 : 0);
  double value = 0.0;
  const std::from_chars_result parsed =
      std::from_chars(first, number.data() + number.size(), value);
  if (parsed.ec == std::errc::result_out_of_range) {
    const bool negative = number.front() == '-';
    if (magnitude + exponent > 0)
      value = negative ? -std::numeric_limits<double>::infinity()
                       : std::numeric_limits<double>::infinity();
    else
      value = negative ? -0.0 : 0.0;
  }
  return value;
}

int truncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max()))
    return std::numeric_limits<int>::max();
  if (value <= static_cast<double>(std::numeric_limits<int>::min()))
    return std::numeric_limits<int>::min();
  return static_cast<int>(value);
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

double roundHalfAway(double value) {
  const double magnitude = std::floor(std::abs(value) + 0.5 + 1e-12);
  return value < 0 ? -magnitude : magnitude;
}

}  // namespace veltrix
