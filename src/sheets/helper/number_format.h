// A number format code read once, when a workbook defines it: which section shows a number,
// and each section's placeholders, literal text and scaling in the order they are written, so
// that every cell of the format is shown without reading the code again.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veltrix::sheetreader {

// One piece of a section, left to right.
struct FormatToken {
  enum class Kind {
    Literal,           // text shown as it is
    Digit,             // a digit placeholder of one part of the number
    Point,             // the decimal point
    Exponent,          // E+, E-, e+ or e-
    Slash,             // a fraction's slash
    FixedDenominator,  // a fraction's written denominator, such as the 16 of ?/16
    General,           // the number as General shows it
  };
  enum class Part { Integer, Decimal, Exponent, Numerator, Denominator };

  Kind kind = Kind::Literal;
  Part part = Part::Integer;
  // For a digit: '0' shows a missing digit as 0, '?' as a space, '#' as nothing. For an
  // exponent: 'E' or 'e'.
  char mark = '0';
  bool exponentPlus = false;  // E+ shows the sign of a positive exponent too
  std::string text;           // a literal's or a fixed denominator's text
};

// [<100], [>=1000], [=0] ...: the numbers a section is for.
struct FormatCondition {
  enum class Op { None, Less, LessEqual, Greater, GreaterEqual, Equal, NotEqual };
  Op op = Op::None;
  double bound = 0;

  bool holds(double value) const;
  // Every number it holds is negative, or zero: such a section shows the magnitude.
  bool negativeOnly() const;
};

struct FormatSection {
  enum class Layout { Plain, Scientific, Fraction };

  std::vector<FormatToken> tokens;
  FormatCondition condition;
  Layout layout = Layout::Plain;
  // Placeholders of each part: the integer ones are the mantissa's in scientific notation and
  // the whole number's in a fraction.
  int integerPlaceholders = 0;
  int decimalPlaceholders = 0;
  int denominatorPlaceholders = 0;
  int fixedDenominator = 0;
  int shift = 0;             // powers of ten: 2 for each percent sign, -3 for each scaling comma
  bool grouping = false;     // thousands separators
  bool engineering = false;  // ##0.0E+0: the exponent a multiple of the integer placeholders
};

struct NumberFormat {
  enum class Kind {
    General,   // General, Text (@), or a code that cannot be read
    DateTime,  // a date or a time: no text for a name
    Sections,
  };

  Kind kind = Kind::General;
  // The sections for numbers, one to three: positive (or all), negative, zero. A text section
  // is left out, a number never shows in it.
  std::vector<FormatSection> sections;
};

NumberFormat parseNumberFormat(std::string_view code);

}  // namespace veltrix::sheetreader
