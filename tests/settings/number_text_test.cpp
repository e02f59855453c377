// Val()-style leading numbers and truncation to int.
#include "settings/number_text.h"

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

}  // namespace
}  // namespace veltrix
