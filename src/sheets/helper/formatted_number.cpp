#include "formatted_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <optional>

#include "number_digits.h"
#include "number_text.h"

namespace veltrix::sheetreader {

namespace {

using Kind = FormatToken::Kind;
using Part = FormatToken::Part;
using Layout = FormatSection::Layout;

constexpr std::uint64_t kFractionScale = 1'000'000'000'000'000'000ULL;  // 18 places

// The section that shows value, and whether it shows a minus sign before it.
struct Choice {
  const FormatSection* section = nullptr;
  bool minus = false;
};

Choice chooseSection(const NumberFormat& format, double value) {
  const std::vector<FormatSection>& sections = format.sections;
  bool conditional = false;
  for (const FormatSection& section : sections) {
    conditional |= section.condition.op != FormatCondition::Op::None;
  }
  if (!conditional) {
    // One section for all numbers, two for not negative and negative, three for positive,
    // negative and zero; a negative section writes its own sign, if any.
    if (value < 0 && sections.size() > 1) return {&sections[1], false};
    if (value == 0 && sections.size() > 2) return {&sections[2], false};
    return {&sections[0], value < 0};
  }
  // The first section whose condition holds; one without a condition holds for all numbers.
  // A section only for negative numbers shows the magnitude, as the second section does when
  // the first is for the others.
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const FormatCondition& condition = sections[i].condition;
    if (!condition.holds(value)) continue;
    const FormatCondition& first = sections[0].condition;
    const bool secondForNegatives =
        i == 1 && condition.op == FormatCondition::Op::None && first.bound == 0 &&
        (first.op == FormatCondition::Op::Greater || first.op == FormatCondition::Op::GreaterEqual);
    return {&sections[i], value < 0 && !condition.negativeOnly() && !secondForNegatives};
  }
  return {};  // a number no section is for: a spreadsheet fills the cell with #, we show General
}

// What a run of placeholders shows of digits aligned to the right, one text for each
// placeholder: the first takes the digits beyond their number; missing digits show as the
// placeholder says. With grouping, a comma follows every third digit from the right.
std::vector<std::string> rightAligned(std::string_view digits, const std::vector<char>& marks,
                                      bool grouping) {
  std::vector<std::string> slots(marks.size());
  if (marks.empty()) return slots;
  const int count = int(marks.size());
  const int length = int(digits.size());
  for (int place = std::max(length, count) - 1; place >= 0; --place) {
    const std::size_t slot = std::size_t(place >= count ? 0 : count - 1 - place);
    char shown = 0;
    if (place < length) {
      shown = digits[std::size_t(length - 1 - place)];
    } else if (marks[slot] != '#') {
      shown = marks[slot] == '0' ? '0' : ' ';
    }
    if (shown == 0) continue;
    slots[slot] += shown;
    if (grouping && place > 0 && place % 3 == 0) slots[slot] += shown == ' ' ? ' ' : ',';
  }
  return slots;
}

// Decimals and a fraction's denominator read from the left; missing digits, and with
// decimals their trailing zeros too, show as the placeholders say.
std::vector<std::string> leftAligned(std::string_view digits, const std::vector<char>& marks,
                                     bool decimals) {
  std::vector<std::string> slots(marks.size());
  std::size_t significant = std::min(digits.size(), marks.size());
  while (decimals && significant > 0 && digits[significant - 1] == '0' &&
         marks[significant - 1] != '0') {
    --significant;
  }
  for (std::size_t i = 0; i < marks.size(); ++i) {
    if (i < significant) {
      slots[i] = digits[i];
    } else if (marks[i] != '#') {
      slots[i] = marks[i] == '0' ? '0' : ' ';
    }
  }
  return slots;
}

std::vector<char> marksOf(const FormatSection& section, Part part) {
  std::vector<char> marks;
  for (const FormatToken& token : section.tokens) {
    if (token.kind == Kind::Digit && token.part == part) marks.push_back(token.mark);
  }
  return marks;
}

// The pieces a section's tokens take their text from.
struct Pieces {
  std::vector<std::string> slots[5];  // by Part
  std::string integer;                // shown at the point when no placeholder shows it
  bool negativeExponent = false;
  bool blankFraction = false;  // a whole number: the fraction's place is spaces
};

std::vector<std::string>& slotsOf(Pieces& pieces, Part part) {
  return pieces.slots[int(part)];
}

bool plainPieces(const FormatSection& section, DecimalDigits digits, Pieces& pieces) {
  shiftDecimal(digits, section.shift);
  roundToDecimals(digits, section.decimalPlaceholders);
  if (digits.integerLength() > int(kLongestCellText)) return false;
  pieces.integer = integerDigits(digits);
  slotsOf(pieces, Part::Integer) =
      rightAligned(pieces.integer, marksOf(section, Part::Integer), section.grouping);
  slotsOf(pieces, Part::Decimal) = leftAligned(fractionDigits(digits, section.decimalPlaceholders),
                                               marksOf(section, Part::Decimal), true);
  return true;
}

int floorDivide(int a, int b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

void scientificPieces(const FormatSection& section, DecimalDigits mantissa, Pieces& pieces) {
  shiftDecimal(mantissa, section.shift);
  const int places = section.integerPlaceholders;
  int exponent = 0;
  if (!mantissa.isZero()) {
    const int leading = mantissa.point - 1;
    exponent = section.engineering ? floorDivide(leading, places) * places : leading - (places - 1);
    mantissa.point -= exponent;
    roundToDecimals(mantissa, section.decimalPlaceholders);
    // Rounding up carried a digit more into the integer part: 9.995 is 1.00E+01.
    if (mantissa.point > places) {
      const int carry = section.engineering ? places : 1;
      exponent += carry;
      mantissa.point -= carry;
    }
  }
  pieces.integer = integerDigits(mantissa);
  slotsOf(pieces, Part::Integer) =
      rightAligned(pieces.integer, marksOf(section, Part::Integer), false);
  slotsOf(pieces, Part::Decimal) = leftAligned(
      fractionDigits(mantissa, section.decimalPlaceholders), marksOf(section, Part::Decimal), true);
  pieces.negativeExponent = exponent < 0;
  slotsOf(pieces, Part::Exponent) =
      rightAligned(std::to_string(std::abs(exponent)), marksOf(section, Part::Exponent), false);
}

struct Fraction {
  std::uint64_t numerator = 0;
  std::uint64_t denominator = 1;
};

// The fraction nearest to part / 10^18 with a denominator up to largest, by its continued
// fraction.
Fraction nearestFraction(std::uint64_t part, std::uint64_t largest) {
  const std::uint64_t common = std::gcd(part, kFractionScale);
  std::uint64_t n = part / common;
  std::uint64_t d = kFractionScale / common;
  if (d <= largest) return {n, d};
  std::uint64_t p0 = 0, q0 = 1, p1 = 1, q1 = 0;
  while (d != 0) {
    const std::uint64_t a = n / d;
    if (q1 != 0 && a > (largest - q0) / q1) break;
    const std::uint64_t q2 = q0 + a * q1;
    if (q2 > largest) break;
    const std::uint64_t p2 = p0 + a * p1;
    p0 = p1;
    q0 = q1;
    p1 = p2;
    q1 = q2;
    const std::uint64_t rest = n - a * d;
    n = d;
    d = rest;
  }
  const std::uint64_t k = (largest - q0) / q1;
  const Fraction below{p0 + k * p1, q0 + k * q1};
  const Fraction above{p1, q1};
  const long double target = (long double)(part) / (long double)(kFractionScale);
  const auto distance = [target](const Fraction& f) {
    return std::fabs((long double)(f.numerator) / (long double)(f.denominator) - target);
  };
  return distance(above) <= distance(below) ? above : below;
}

// part / 10^18 in sixteenths (or whatever the denominator), rounded half away from zero.
std::uint64_t inFixedDenominator(std::uint64_t part, std::uint64_t denominator) {
  constexpr std::uint64_t kHalfScale = 1'000'000'000ULL;
  const std::uint64_t low = (part % kHalfScale) * denominator;
  const std::uint64_t high = (part / kHalfScale) * denominator + low / kHalfScale;
  const std::uint64_t whole = high / kHalfScale;
  const std::uint64_t rest = (high % kHalfScale) * kHalfScale + low % kHalfScale;
  return whole + (rest * 2 >= kFractionScale ? 1 : 0);
}

// Digits known to fit in 64 bits.
std::uint64_t decimalValue(std::string_view digits) {
  std::uint64_t value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

bool fractionPieces(const FormatSection& section, DecimalDigits digits, Pieces& pieces) {
  shiftDecimal(digits, section.shift);
  // Beyond fifteen digits a number has no fraction left to show.
  if (digits.integerLength() > 15) return false;
  const std::string integerText = integerDigits(digits);
  std::uint64_t whole = decimalValue(integerText);
  const std::uint64_t part = decimalValue(fractionDigits(digits, 18));
  Fraction fraction;
  if (section.fixedDenominator > 0) {
    fraction = {inFixedDenominator(part, std::uint64_t(section.fixedDenominator)),
                std::uint64_t(section.fixedDenominator)};
  } else {
    std::uint64_t largest = 1;
    for (int i = 0; i < section.denominatorPlaceholders; ++i) largest *= 10;
    fraction = nearestFraction(part, largest - 1);
  }
  if (fraction.numerator == fraction.denominator) {
    ++whole;
    fraction.numerator = 0;
  }
  if (section.integerPlaceholders > 0) {
    pieces.blankFraction = fraction.numerator == 0;
  } else if (__builtin_mul_overflow(whole, fraction.denominator, &whole) ||
             __builtin_add_overflow(whole, fraction.numerator, &fraction.numerator)) {
    return false;
  } else {
    whole = 0;
  }
  pieces.integer = whole == 0 && !pieces.blankFraction ? "" : std::to_string(whole);
  slotsOf(pieces, Part::Integer) =
      rightAligned(pieces.integer, marksOf(section, Part::Integer), section.grouping);
  slotsOf(pieces, Part::Numerator) =
      rightAligned(std::to_string(fraction.numerator), marksOf(section, Part::Numerator), false);
  const std::vector<char> marks = marksOf(section, Part::Denominator);
  const std::string denominator = std::to_string(fraction.denominator);
  // A denominator short of its placeholders stands at the left of them, padded with spaces;
  // zero placeholders pad it with zeros in front, as they do a whole number.
  slotsOf(pieces, Part::Denominator) = std::find(marks.begin(), marks.end(), '0') != marks.end()
                                           ? rightAligned(denominator, marks, false)
                                           : leftAligned(denominator, marks, false);
  return true;
}

std::string blanked(const std::string& text) {
  return std::string(text.size(), ' ');
}

std::optional<std::string> sectionText(const FormatSection& section, double magnitude) {
  Pieces pieces;
  const DecimalDigits digits = excelDigits(magnitude);
  switch (section.layout) {
    case Layout::Plain:
      if (!plainPieces(section, digits, pieces)) return std::nullopt;
      break;
    case Layout::Scientific:
      scientificPieces(section, digits, pieces);
      break;
    case Layout::Fraction:
      if (!fractionPieces(section, digits, pieces)) return std::nullopt;
      break;
  }
  std::size_t next[5] = {};
  std::string text;
  for (const FormatToken& token : section.tokens) {
    switch (token.kind) {
      case Kind::Literal:
        text += token.text;
        break;
      case Kind::Digit: {
        const std::string& slot = slotsOf(pieces, token.part)[next[int(token.part)]++];
        const bool blank = pieces.blankFraction && token.part != Part::Integer;
        text += blank ? blanked(slot) : slot;
        break;
      }
      case Kind::Point:
        if (section.integerPlaceholders == 0) text += pieces.integer;
        text += '.';
        break;
      case Kind::Exponent:
        text += token.mark;
        if (pieces.negativeExponent) {
          text += '-';
        } else if (token.exponentPlus) {
          text += '+';
        }
        break;
      case Kind::Slash:
        text += pieces.blankFraction ? ' ' : '/';
        break;
      case Kind::FixedDenominator:
        text += pieces.blankFraction ? blanked(token.text) : token.text;
        break;
      case Kind::General:
        text += generalNumberText(magnitude);
        break;
    }
    if (text.size() > kLongestCellText) return std::nullopt;
  }
  return text;
}

}  // namespace

std::string formattedNumber(double value, const NumberFormat& format) {
  if (!std::isfinite(value)) return {};
  if (format.kind == NumberFormat::Kind::DateTime) return {};
  if (format.kind == NumberFormat::Kind::General) return generalNumberText(value);
  const Choice choice = chooseSection(format, value);
  if (choice.section == nullptr) return generalNumberText(value);
  std::optional<std::string> text = sectionText(*choice.section, std::fabs(value));
  if (!text) return generalNumberText(value);
  if (choice.minus) text->insert(text->begin(), '-');
  if (text->size() > kLongestCellText) return generalNumberText(value);
  return *text;
}

}  // namespace veltrix::sheetreader
