// The number rules: Val()-style leading numbers, truncation, rounding and the shown texts.
#include "settings/number_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

namespace veltrix {
namespace {

struct LeadingCase {
  const char* text;
  double value;
};

// Readable test names in listings instead of the struct's raw bytes.
void PrintTo(const LeadingCase& c, std::ostream* os) {
  *os << '"';
  for (const char* p = c.text; *p; ++p) {
    if (*p == '\t')
      *os << "\\t";
    else
      *os << *p;
  }
  *os << "\" -> " << c.value;
}

class LeadingNumberTest : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsTheNumberAtTheStart) {
  EXPECT_DOUBLE_EQ(leadingNumber(QString::fromUtf8(GetParam().text)), GetParam().value)
      << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberTest,
    testing::Values(LeadingCase{"", 0}, LeadingCase{"2.9", 2.9}, LeadingCase{" 47.6mm", 47.6},
                    LeadingCase{"-3", -3}, LeadingCase{"+7", 7}, LeadingCase{"abc", 0},
                    LeadingCase{"1e3", 1000}, LeadingCase{"1E+2x", 100}, LeadingCase{"25e-1", 2.5},
                    LeadingCase{"1e", 1}, LeadingCase{"1e-", 1}, LeadingCase{"2e+k", 2},
                    LeadingCase{".5", 0.5}, LeadingCase{"-.25", -0.25}, LeadingCase{"3.", 3},
                    LeadingCase{"1.2.3", 1.2}, LeadingCase{".", 0}, LeadingCase{"-", 0},
                    LeadingCase{"- 3", 0}, LeadingCase{"+-3", 0}, LeadingCase{"\t 12", 12},
                    LeadingCase{"12 34", 12}, LeadingCase{"007", 7}, LeadingCase{"１２", 0},
                    LeadingCase{"3真", 3}, LeadingCase{"1e400", HUGE_VAL},
                    LeadingCase{"-1e400", -HUGE_VAL}, LeadingCase{"1e-400", 0},
                    LeadingCase{"0.0001e-320", 0}));

struct TruncCase {
  double value;
  int truncated;
};

void PrintTo(const TruncCase& c, std::ostream* os) {
  *os << c.value << " -> " << c.truncated;
}

class TruncToIntTest : public testing::TestWithParam<TruncCase> {};

TEST_P(TruncToIntTest, TruncatesTowardZeroWithinIntRange) {
  EXPECT_EQ(truncToInt(GetParam().value), GetParam().truncated) << GetParam().value;
}

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

INSTANTIATE_TEST_SUITE_P(Values, TruncToIntTest,
                         testing::Values(TruncCase{0.0, 0}, TruncCase{2.9, 2}, TruncCase{-2.9, -2},
                                         TruncCase{-0.5, 0}, TruncCase{47.6, 47},
                                         TruncCase{2147483646.9, 2147483646},
                                         TruncCase{2147483647.5, kMax}, TruncCase{1e12, kMax},
                                         TruncCase{-2147483648.5, kMin}, TruncCase{-1e12, kMin},
                                         TruncCase{std::numeric_limits<double>::infinity(), kMax},
                                         TruncCase{-std::numeric_limits<double>::infinity(), kMin},
                                         TruncCase{std::numeric_limits<double>::quiet_NaN(), 0}));

TEST(NumberRules, HalvesJustBelowTheirRepresentationStillRoundUp) {
  EXPECT_EQ(roundHalfAway(2.5), 3.0);
  EXPECT_EQ(roundHalfAway(-2.5), -3.0);
  EXPECT_EQ(roundHalfAway(1.005 * 100), 101.0);  // 100.49999999999999 in binary
  EXPECT_EQ(roundHalfAway(2.4999), 2.0);
}

TEST(NumberRules, NumbersShowAsTheBoxesShowThem) {
  EXPECT_EQ(formatFloat(25.4f), QStringLiteral("25.4"));
  EXPECT_EQ(formatFloat(33.0f), QStringLiteral("33"));
  EXPECT_EQ(formatFloat(1234567.0f), QStringLiteral("1.23457e+06"));
  EXPECT_EQ(formatDouble(47.6), QStringLiteral("47.6"));
  EXPECT_EQ(formatDouble(0.1 + 0.2), QStringLiteral("0.3"));
}

TEST(NumberRules, IntegerPrefixIgnoresSpacesAndStopsAtTheFirstNonDigit) {
  const struct {
    const char* text;
    int value;
  } cases[] = {{"300.5", 300}, {" 3 0 0", 300}, {"", 0},    {"abc", 0},
               {"12ab", 12},   {"-5", -5},      {"1e3", 1}, {"９", 0}};
  for (const auto& c : cases)
    EXPECT_EQ(integerPrefix(QString::fromUtf8(c.text)), c.value) << c.text;
}

}  // namespace
}  // namespace veltrix
