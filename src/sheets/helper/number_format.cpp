#include "number_format.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

#include "number_formats.h"

namespace veltrix::sheetreader {

namespace {

// Excel keeps a code to 255 characters; a longer one, four bytes a character, is no code of
// a spreadsheet program and would only cost time on every cell.
constexpr std::size_t kLongestCode = 1020;
constexpr std::size_t kMostSections = 4;
// Denominators up to 9 digits keep a fraction's arithmetic within 64 bits.
constexpr int kMostDenominatorDigits = 9;

using Kind = FormatToken::Kind;
using Part = FormatToken::Part;

// A code's pieces before the commas and the parts of the number are told apart.
struct Lexeme {
  enum class Type {
    Token,
    Comma,    // a thousands separator, a scaling comma or a literal, by where it stands
    Percent,  // a literal % that scales the number too
    Text,     // @, the text placeholder
    Dropped,  // read into the section, not shown
  };
  Type type = Type::Token;
  FormatToken token;
};

std::size_t characterLength(std::string_view text, std::size_t at) {
  if (at >= text.size()) return 0;
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 1;
  if (lead >= 0xF0) {
    length = 4;
  } else if (lead >= 0xE0) {
    length = 3;
  } else if (lead >= 0xC0) {
    length = 2;
  }
  return std::min(length, text.size() - at);
}

// The length of the General keyword at the start of text, 0 when it is not there.
std::size_t generalKeyword(std::string_view text) {
  constexpr std::string_view kGeneral = "general";
  // The Chinese edition writes General so in the codes of its .xls files.
  constexpr std::string_view kChineseGeneral = "G/通用格式";
  if (text.substr(0, kChineseGeneral.size()) == kChineseGeneral) return kChineseGeneral.size();
  if (text.size() < kGeneral.size()) return 0;
  for (std::size_t i = 0; i < kGeneral.size(); ++i) {
    const char c = text[i];
    if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != kGeneral[i]) return 0;
  }
  return kGeneral.size();
}

// Splits at semicolons outside quotes, brackets and escaped characters.
bool splitSections(std::string_view code, std::vector<std::string_view>& sections) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '"' || c == '[') {
      const std::size_t close = code.find(c == '"' ? '"' : ']', i + 1);
      if (close == std::string_view::npos) return false;
      i = close;
    } else if (c == '\\' || c == '_' || c == '*') {
      i += characterLength(code, i + 1);
    } else if (c == ';') {
      sections.push_back(code.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(code.substr(start));
  return sections.size() <= kMostSections;
}

bool parseCondition(std::string_view inside, FormatCondition& condition) {
  using Op = FormatCondition::Op;
  struct Spelling {
    std::string_view text;
    Op op;
  };
  constexpr Spelling kOps[] = {{"<=", Op::LessEqual}, {">=", Op::GreaterEqual},
                               {"<>", Op::NotEqual},  {"<", Op::Less},
                               {">", Op::Greater},    {"=", Op::Equal}};
  for (const Spelling& spelling : kOps) {
    if (inside.substr(0, spelling.text.size()) != spelling.text) continue;
    std::string_view number = inside.substr(spelling.text.size());
    while (!number.empty() && number.front() == ' ') number.remove_prefix(1);
    double bound = 0;
    const auto read = std::from_chars(number.data(), number.data() + number.size(), bound);
    if (read.ec != std::errc()) return false;
    condition = {spelling.op, bound};
    return true;
  }
  return false;
}

Lexeme literal(std::string_view text) {
  Lexeme lexeme;
  lexeme.token.text = std::string(text);
  return lexeme;
}

// A bracketed part: a condition, a currency symbol with its locale ([$¥-804] shows ¥), or a
// colour, a locale alone or a numeral system, none of which changes the text.
bool readBracket(std::string_view inside, FormatCondition& condition,
                 std::vector<Lexeme>& lexemes) {
  if (inside.empty()) return true;
  if (inside[0] == '<' || inside[0] == '>' || inside[0] == '=') {
    return parseCondition(inside, condition);
  }
  if (inside[0] == '$') {
    const std::string_view symbol = inside.substr(1, inside.find('-') - 1);
    if (!symbol.empty()) lexemes.push_back(literal(symbol));
  }
  return true;
}

Lexeme token(Kind kind, char mark = 0) {
  Lexeme lexeme;
  lexeme.token.kind = kind;
  lexeme.token.mark = mark;
  return lexeme;
}

bool lexSection(std::string_view text, std::vector<Lexeme>& lexemes, FormatCondition& condition) {
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '"') {
      const std::size_t close = text.find('"', i + 1);
      lexemes.push_back(literal(text.substr(i + 1, close - i - 1)));
      i = close + 1;
    } else if (c == '\\' || c == '_' || c == '*') {
      const std::size_t length = characterLength(text, i + 1);
      // An underscore leaves the room of the next character, a star fills the cell with it:
      // a name has no width, so the one is a space and the other nothing.
      if (c == '\\') lexemes.push_back(literal(text.substr(i + 1, length)));
      if (c == '_') lexemes.push_back(literal(" "));
      i += 1 + length;
    } else if (c == '[') {
      const std::size_t close = text.find(']', i + 1);
      if (!readBracket(text.substr(i + 1, close - i - 1), condition, lexemes)) return false;
      i = close + 1;
    } else if (c == '0' || c == '#' || c == '?') {
      lexemes.push_back(token(Kind::Digit, c));
      ++i;
    } else if (c == '.') {
      lexemes.push_back(token(Kind::Point));
      ++i;
    } else if (c == ',') {
      lexemes.push_back({Lexeme::Type::Comma, {}});
      ++i;
    } else if (c == '%') {
      Lexeme percent = literal("%");
      percent.type = Lexeme::Type::Percent;
      lexemes.push_back(percent);
      ++i;
    } else if ((c == 'E' || c == 'e') && i + 1 < text.size() &&
               (text[i + 1] == '+' || text[i + 1] == '-')) {
      Lexeme exponent = token(Kind::Exponent, c);
      exponent.token.exponentPlus = text[i + 1] == '+';
      lexemes.push_back(exponent);
      i += 2;
    } else if (c == '/') {
      lexemes.push_back(token(Kind::Slash));
      ++i;
    } else if (c == '@') {
      lexemes.push_back({Lexeme::Type::Text, {}});
      ++i;
    } else if (const std::size_t general = generalKeyword(text.substr(i)); general > 0) {
      lexemes.push_back(token(Kind::General));
      i += general;
    } else {
      const std::size_t length = characterLength(text, i);
      lexemes.push_back(literal(text.substr(i, length)));
      i += length;
    }
  }
  return true;
}

bool isDigit(const Lexeme& lexeme) {
  return lexeme.type == Lexeme::Type::Token && lexeme.token.kind == Kind::Digit;
}

// A digit of a written denominator: 1 to 9 are literals, 0 a placeholder.
bool isWrittenDigit(const Lexeme& lexeme) {
  if (lexeme.type != Lexeme::Type::Token) return false;
  const FormatToken& token = lexeme.token;
  if (token.kind == Kind::Digit) return token.mark == '0';
  return token.kind == Kind::Literal && token.text.size() == 1 && token.text[0] >= '0' &&
         token.text[0] <= '9';
}

std::size_t indexOf(const std::vector<Lexeme>& lexemes, Kind kind, std::size_t from = 0) {
  for (std::size_t i = from; i < lexemes.size(); ++i) {
    if (lexemes[i].type == Lexeme::Type::Token && lexemes[i].token.kind == kind) return i;
  }
  return lexemes.size();
}

// The slash of a fraction: digit placeholders before it, and placeholders or a written
// denominator right after it. Any other slash is shown.
std::size_t fractionSlash(const std::vector<Lexeme>& lexemes) {
  for (std::size_t i = indexOf(lexemes, Kind::Slash); i < lexemes.size();
       i = indexOf(lexemes, Kind::Slash, i + 1)) {
    if (i == 0 || i + 1 == lexemes.size() || !isDigit(lexemes[i - 1])) continue;
    const Lexeme& next = lexemes[i + 1];
    if (isDigit(next) || (isWrittenDigit(next) && next.token.text != "0")) return i;
  }
  return lexemes.size();
}

// Marks each digit placeholder with the part it shows; a written denominator becomes one token.
// False for a denominator too long to reckon with, or placeholders after it.
bool assignFractionParts(std::vector<Lexeme>& lexemes, std::size_t slash, FormatSection& section) {
  section.layout = FormatSection::Layout::Fraction;
  std::size_t numeratorStart = slash;
  while (numeratorStart > 0 && isDigit(lexemes[numeratorStart - 1])) --numeratorStart;
  for (std::size_t i = 0; i < lexemes.size(); ++i) {
    FormatToken& token = lexemes[i].token;
    if (lexemes[i].type != Lexeme::Type::Token) continue;
    if (token.kind == Kind::Point) lexemes[i] = literal(".");
    if (token.kind == Kind::Slash && i != slash) lexemes[i] = literal("/");
    if (token.kind == Kind::Digit && i < slash) {
      token.part = i < numeratorStart ? Part::Integer : Part::Numerator;
    }
  }
  std::size_t end = slash + 1;
  if (isDigit(lexemes[end])) {
    for (; end < lexemes.size() && isDigit(lexemes[end]); ++end) {
      lexemes[end].token.part = Part::Denominator;
      ++section.denominatorPlaceholders;
    }
    if (section.denominatorPlaceholders > kMostDenominatorDigits) return false;
  } else {
    std::string denominator;
    for (; end < lexemes.size() && isWrittenDigit(lexemes[end]); ++end) {
      denominator += lexemes[end].token.kind == Kind::Digit ? '0' : lexemes[end].token.text[0];
      lexemes[end].type = Lexeme::Type::Dropped;
    }
    if (denominator.size() > std::size_t(kMostDenominatorDigits)) return false;
    std::from_chars(denominator.data(), denominator.data() + denominator.size(),
                    section.fixedDenominator);
    lexemes[slash + 1] = token(Kind::FixedDenominator);
    lexemes[slash + 1].token.text = denominator;
  }
  for (std::size_t i = end; i < lexemes.size(); ++i) {
    if (isDigit(lexemes[i])) return false;
  }
  return true;
}

bool assignPlainParts(std::vector<Lexeme>& lexemes, FormatSection& section) {
  const std::size_t exponent = indexOf(lexemes, Kind::Exponent);
  std::size_t point = indexOf(lexemes, Kind::Point);
  if (point > exponent) point = lexemes.size();
  bool digitAfterExponent = false;
  for (std::size_t i = 0; i < lexemes.size(); ++i) {
    FormatToken& token = lexemes[i].token;
    if (lexemes[i].type != Lexeme::Type::Token) continue;
    if (token.kind == Kind::Point && i != point) token = literal(".").token;
    if (token.kind == Kind::Slash) token = literal("/").token;
    if (token.kind == Kind::Exponent && i != exponent) return false;
    if (token.kind != Kind::Digit) continue;
    if (i > exponent) {
      token.part = Part::Exponent;
      digitAfterExponent = true;
    } else {
      token.part = i > point ? Part::Decimal : Part::Integer;
    }
  }
  if (exponent == lexemes.size()) return true;
  if (!digitAfterExponent) return false;
  section.layout = FormatSection::Layout::Scientific;
  return true;
}

bool isNumberDigit(const Lexeme& lexeme) {
  return isDigit(lexeme) &&
         (lexeme.token.part == Part::Integer || lexeme.token.part == Part::Decimal);
}

// A comma between integer placeholders separates thousands; commas right after the last
// integer or decimal placeholder divide by a thousand each; one elsewhere after a placeholder
// is dropped, and one after anything else is shown.
void readCommas(std::vector<Lexeme>& lexemes, FormatSection& section) {
  for (std::size_t i = 0; i < lexemes.size(); ++i) {
    if (lexemes[i].type != Lexeme::Type::Comma) continue;
    std::size_t end = i;
    while (end < lexemes.size() && lexemes[end].type == Lexeme::Type::Comma) ++end;
    const bool afterDigit = i > 0 && isNumberDigit(lexemes[i - 1]);
    bool digitFollows = false;
    for (std::size_t j = end; j < lexemes.size(); ++j) digitFollows |= isNumberDigit(lexemes[j]);
    for (std::size_t j = i; j < end; ++j) {
      if (afterDigit) {
        lexemes[j].type = Lexeme::Type::Dropped;
      } else {
        lexemes[j] = literal(",");
      }
    }
    if (afterDigit && end < lexemes.size() && isNumberDigit(lexemes[end]) &&
        lexemes[i - 1].token.part == Part::Integer && lexemes[end].token.part == Part::Integer) {
      section.grouping = section.layout != FormatSection::Layout::Scientific;
    } else if (afterDigit && !digitFollows) {
      section.shift -= 3 * int(end - i);
    }
    i = end - 1;
  }
}

bool buildSection(std::string_view text, FormatSection& section) {
  std::vector<Lexeme> lexemes;
  if (!lexSection(text, lexemes, section.condition)) return false;
  for (const Lexeme& lexeme : lexemes) {
    if (lexeme.type == Lexeme::Type::Text) return false;  // @ belongs to the text section only
  }
  const std::size_t slash = fractionSlash(lexemes);
  if (slash < lexemes.size() && indexOf(lexemes, Kind::Exponent) == lexemes.size()) {
    if (!assignFractionParts(lexemes, slash, section)) return false;
  } else if (!assignPlainParts(lexemes, section)) {
    return false;
  }
  readCommas(lexemes, section);
  bool integerPadsNothing = false;
  for (const Lexeme& lexeme : lexemes) {
    if (lexeme.type == Lexeme::Type::Dropped) continue;
    if (lexeme.type == Lexeme::Type::Percent) section.shift += 2;
    const FormatToken& token = lexeme.token;
    if (token.kind == Kind::Digit) {
      if (token.part == Part::Integer) ++section.integerPlaceholders;
      if (token.part == Part::Decimal) ++section.decimalPlaceholders;
      integerPadsNothing |= token.part == Part::Integer && token.mark != '0';
    }
    if (token.kind == Kind::Literal && !section.tokens.empty() &&
        section.tokens.back().kind == Kind::Literal) {
      section.tokens.back().text += token.text;
    } else {
      section.tokens.push_back(token);
    }
  }
  // 00.0E+0 keeps two digits before the point; ##0.0E+0 keeps one to three, the exponent a
  // multiple of three.
  section.engineering = section.layout == FormatSection::Layout::Scientific && integerPadsNothing &&
                        section.integerPlaceholders > 1;
  return true;
}

bool hasTextPlaceholder(std::string_view section) {
  std::vector<Lexeme> lexemes;
  FormatCondition ignored;
  if (!lexSection(section, lexemes, ignored)) return false;
  for (const Lexeme& lexeme : lexemes) {
    if (lexeme.type == Lexeme::Type::Text) return true;
  }
  return false;
}

}  // namespace

bool FormatCondition::holds(double value) const {
  switch (op) {
    case Op::None:
      return true;
    case Op::Less:
      return value < bound;
    case Op::LessEqual:
      return value <= bound;
    case Op::Greater:
      return value > bound;
    case Op::GreaterEqual:
      return value >= bound;
    case Op::Equal:
      return value == bound;
    case Op::NotEqual:
      return value != bound;
  }
  return false;
}

bool FormatCondition::negativeOnly() const {
  return ((op == Op::Less || op == Op::LessEqual) && bound <= 0) || (op == Op::Equal && bound < 0);
}

NumberFormat parseNumberFormat(std::string_view code) {
  NumberFormat format;
  if (isDateFormatCode(code)) {
    format.kind = NumberFormat::Kind::DateTime;
    return format;
  }
  std::vector<std::string_view> texts;
  if (code.empty() || code.size() > kLongestCode || !splitSections(code, texts)) return format;
  // The fourth section is for text; so is a last one with @ in it. Text alone (@) shows a
  // number as General.
  if (texts.size() == kMostSections || hasTextPlaceholder(texts.back())) texts.pop_back();
  if (texts.empty()) return format;
  for (std::string_view text : texts) {
    FormatSection section;
    if (!buildSection(text, section)) return {};
    format.sections.push_back(std::move(section));
  }
  const std::vector<FormatToken>& only = format.sections.front().tokens;
  if (format.sections.size() > 1 || only.size() != 1 || only.front().kind != Kind::General) {
    format.kind = NumberFormat::Kind::Sections;
  }
  return format;
}

}  // namespace veltrix::sheetreader
