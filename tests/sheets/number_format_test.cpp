// Numbers as a spreadsheet program shows them in their cells' number formats: the text a
// school's system matches photos by. Each table is (number, format code) -> shown text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "sheets/helper/formatted_number.h"
#include "sheets/helper/number_format.h"
#include "sheets/helper/number_styles.h"

namespace veltrix::sheetreader {
namespace {

struct Case {
  double value;
  std::string code;
  std::string shown;
};

void expectShown(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " in \"" << c.code << "\"");
    EXPECT_EQ(formattedNumber(c.value, parseNumberFormat(c.code)), c.shown);
  }
}

TEST(NumberFormat, DigitPlaceholdersPadAsTheySay) {
  expectShown({
      {123, "000000", "000123"},
      {123, "00 00 00", "00 01 23"},
      {123, "000-000", "000-123"},
      {123456789, "000000", "123456789"},
      {12, "#-###", "-12"},
      {0, "#", ""},
      {0.5, "#.00", ".50"},
      {1.5, ".00", "1.50"},
      {5, "0.##", "5."},
      {1.5, "0.0#", "1.5"},
      {1.5, "0.0?", "1.5 "},
      {5, "??0", "  5"},
      {20230101, "0", "20230101"},
  });
}

TEST(NumberFormat, RoundsTheFifteenDigitsKeptHalfAwayFromZero) {
  expectShown({
      {2.675, "0.00", "2.68"},
      {1.005, "0.00", "1.01"},
      {0.125, "0.00", "0.13"},
      {9.995, "0.00", "10.00"},
      {99.5, "0", "100"},
      {0.5, "0", "1"},
      {-0.5, "0", "-1"},
      {0.4, "0", "0"},
      {-0.001, "0.00", "-0.00"},
      {0.000001, "0.00", "0.00"},
      {1e-300, "0.00", "0.00"},
      {110101200001011008.0, "0", "110101200001011000"},
      {123456789012345678.0, "#,##0", "123,456,789,012,346,000"},
      {0.1 + 0.2, "0.0000000000000000", "0.3000000000000000"},
  });
}

TEST(NumberFormat, ThousandsSeparatorsAndScalingCommas) {
  expectShown({
      {1234567, "#,##0", "1,234,567"},
      {1234567.891, "#,##0.00", "1,234,567.89"},
      {-1234567, "#,##0", "-1,234,567"},
      {0, "#,##0", "0"},
      {123, "#,###", "123"},
      {5, "0,000", "0,005"},
      {1234567, "#,##0,", "1,235"},
      {999, "0,", "1"},
      {1234567, "0.0,,\"M\"", "1.2M"},
      {1234567, "#,##0,,\"百万\"", "1百万"},
      {5, ",0", ",5"},
  });
}

TEST(NumberFormat, PercentMultipliesByAHundred) {
  expectShown({
      {0.5, "0%", "50%"},
      {0.1234, "0.00%", "12.34%"},
      {-0.025, "0.0%", "-2.5%"},
      {0.00005, "0.00%", "0.01%"},
      {1.5, "#,##0%", "150%"},
      {5, "0\"%\"", "5%"},
  });
}

TEST(NumberFormat, ScientificAndEngineeringNotation) {
  expectShown({
      {123000, "0.00E+00", "1.23E+05"},
      {0.000123, "0.00E+00", "1.23E-04"},
      {123000, "0.00E-00", "1.23E05"},
      {0.000123, "0.00E-00", "1.23E-04"},
      {-123000, "0.00E+00", "-1.23E+05"},
      {0, "0.00E+00", "0.00E+00"},
      {9.995, "0.00E+00", "1.00E+01"},
      {123456, "0.0e+0", "1.2e+5"},
      {123456, "0.0E+000", "1.2E+005"},
      {1e300, "0.00E+00", "1.00E+300"},
      {12345, "00.00E+00", "12.35E+03"},
      {12345, "##0.0E+0", "12.3E+3"},
      {123456, "##0.0E+0", "123.5E+3"},
      {1234, "##0.0E+0", "1.2E+3"},
      {0.001234, "##0.0E+0", "1.2E-3"},
      {999960, "##0.0E+0", "1.0E+6"},
      {0, "##0.0E+0", "0.0E+0"},
  });
}

TEST(NumberFormat, SectionsForNegativeZeroAndText) {
  const std::string chineseAccounting =
      "_ \"¥\"* #,##0_ ;_ \"¥\"* \\-#,##0_ ;_ \"¥\"* \"-\"_ ;_ @_ ";
  const std::string englishAccounting = "_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_);_(@_)";
  expectShown({
      {-5, "0;(0)", "(5)"},
      {5, "0;(0)", "5"},
      {0, "0;(0)", "0"},
      {-5, "0;0", "5"},
      {0, "0;-0;\"零\"", "零"},
      {-0.001, "0;-0;\"零\"", "-0"},
      {-5, "0;;", ""},
      {0, "0;-0;;@", ""},
      {5, "0;-0;;@", "5"},
      {-5, "0.00;@", "-5.00"},
      {-5, "\"ID\"0", "-ID5"},
      {-1234, "\"¥\"#,##0;\"¥\"-#,##0", "¥-1,234"},
      {-7.25, "[Red]0.00;[Blue]\\-0.00", "-7.25"},
      {1234.5, "#,##0.00_);[Red](#,##0.00)", "1,234.50 "},
      {-1234.5, "#,##0.00_);[Red](#,##0.00)", "(1,234.50)"},
      // accounting, as the Chinese edition and the English one write it
      {1234, chineseAccounting, " ¥1,234 "},
      {-1234, chineseAccounting, " ¥-1,234 "},
      {0, chineseAccounting, " ¥- "},
      {1234, englishAccounting, " 1,234 "},
      {-1234, englishAccounting, " (1,234)"},
      {0, englishAccounting, " - "},
      {1234.5, "@", "1234.5"},
      {5, "\"ID\"@", "5"},
  });
}

TEST(NumberFormat, ConditionsPickTheSection) {
  const std::string sizes = "[>=1000000]0.0,,\"M\";[>=1000]0.0,\"K\";0";
  expectShown({
      {50, "[<100]\"小\"0;#,##0", "小50"},
      {1500, "[<100]\"小\"0;#,##0", "1,500"},
      {1500000, sizes, "1.5M"},
      {2500, sizes, "2.5K"},
      {7, sizes, "7"},
      {-7, sizes, "-7"},
      {-5, "[<100]0;0", "-5"},
      {-5, "[<0]\"(\"0\")\";0", "(5)"},
      {-5, "[>=0]0;(0)", "(5)"},
      {0, "[=0]\"无\";0", "无"},
      {3, "[<>0]0.0;\"无\"", "3.0"},
      {-150, "[<=-100]\"少\"0;0", "少150"},
      {5, "[>100]0;[<-100]0", "5"},
  });
}

TEST(NumberFormat, LiteralsEscapesAndTags) {
  expectShown({
      // quoted and escaped text, placeholders and semicolons in it included
      {5, "\"0;\"0", "0;5"},
      {5, "0\"号\"", "5号"},
      {5, "\"公斤\"", "公斤"},
      {98, "\"Day \"0", "Day 98"},
      {5, "\\#0", "#5"},
      {5, "\\号0", "号5"},
      {5, "0/\\0", "5/0"},
      // room for a character is a space, a fill is nothing
      {5, "0_)", "5 "},
      {5, "*-0", "5"},
      {5, "0*-", "5"},
      // colours and locales are dropped, a currency symbol shows
      {5, "[$¥-804]0", "¥5"},
      {5, "[$-804]0", "5"},
      {5, "[Color10]0", "5"},
      {5, "[Red]0", "5"},
      // characters that need no quotes
      {5, "(0)", "(5)"},
      {5, "$0", "$5"},
      {5, "¥0", "¥5"},
      {12, "0 \"kg\"", "12 kg"},
      {5, "0/件", "5/件"},
      {1.5, "0.0.", "1.5."},
  });
}

TEST(NumberFormat, FractionsNearestOrInAFixedDenominator) {
  expectShown({
      {1.5, "# ?/?", "1 1/2"},
      {0.5, "# ?/?", " 1/2"},
      {0.5, "0 ?/?", "0 1/2"},
      {3, "# ?/?", "3    "},
      {0, "# ?/?", "0    "},
      {2.99, "# ?/?", "3    "},
      {-1.5, "# ?/?", "-1 1/2"},
      {0.333, "# ?\?/??", "  1/3 "},
      {3.14159265358979, "# ?\?/??", "3 14/99"},
      {3.14159265358979, "# ??\?/???", "3  16/113"},
      {0.75, "?/?", "3/4"},
      {1.75, "?/?", "7/4"},
      {0, "?/?", "0/1"},
      {1.5, "# ?/16", "1 8/16"},
      {0.03125, "# ?/16", " 1/16"},
      {2.5, "?/16", "40/16"},
      {1.5, "# ?/10", "1 5/10"},
      {4, "# ?/4", "4    "},
      {1234.5, "#,##0 ?/?", "1,234 1/2"},
      {1.5, "0/0", "3/2"},
      {123, "00/00", "123/01"},
  });
}

TEST(NumberFormat, GeneralInAndAsACode) {
  expectShown({
      {1234.5, "General", "1234.5"},
      {1e20, "General", "1E+20"},
      {0.1, "G/通用格式", "0.1"},
      {-5, "General;\"负\"General", "负5"},
      {5, "\"第\"General\"名\"", "第5名"},
      {-5, "[Red]General", "-5"},
  });
}

TEST(NumberFormat, CodesThatCannotBeReadShowGeneral) {
  expectShown({
      {5.5, "", "5.5"},
      {5.5, "\"abc", "5.5"},
      {5.5, "[Red", "5.5"},
      {5.5, "[<abc]0", "5.5"},
      {5.5, "0;0;0;0;0", "5.5"},
      {5.5, "@;0", "5.5"},
      {5.5, "0E+", "5.5"},
      {5.5, "0.0E+0E+0", "5.5"},
      {5.5, "# ?/??????????", "5.5"},
      {5.5, "\"" + std::string(1100, 'a') + "\"0", "5.5"},
  });
}

TEST(NumberFormat, TooLongOrNotANumberNeverBlowsUp) {
  expectShown({
      {1e300, "0", "1E+300"},
      {1e250, "#,##0", "1E+250"},
      {1e300, "0" + std::string(400, '%'), "1E+300"},
      {5, std::string(300, '0'), "5"},
      {5, "0." + std::string(300, '0'), "5"},
      {5, std::string(255, '0'), std::string(254, '0') + "5"},
      {std::numeric_limits<double>::max(), "#,##0.00", "1.79769313486232E+308"},
      {4.94065645841247e-324, "0.00", "0.00"},
      {std::numeric_limits<double>::quiet_NaN(), "0", ""},
      {std::numeric_limits<double>::infinity(), "0.00", ""},
      {-std::numeric_limits<double>::infinity(), "General", ""},
  });
}

TEST(NumberFormat, DatesAndTimesShowNothing) {
  expectShown({
      {45000, "yyyy-mm-dd", ""},
      {45000, "yyyy\"年\"m\"月\"d\"日\"", ""},
      {0.5, "[h]:mm", ""},
      {0.5, "h:mm AM/PM", ""},
      {45000, "[$-804]yyyy/m/d", ""},
  });
}

struct StyleCase {
  int formatId;
  double value;
  std::string shown;
};

TEST(NumberStyles, BuiltInFormatsAsTheChineseEditionHasThem) {
  const StyleCase cases[] = {
      {0, 1234.5, "1234.5"},
      {1, 1234.5, "1235"},
      {2, 1234.5, "1234.50"},
      {3, 1234.5, "1,235"},
      {4, 1234.5, "1,234.50"},
      {5, 1234.5, "¥1,235"},
      {5, -1234.5, "¥-1,235"},
      {6, -1234.5, "¥-1,235"},
      {7, 1234.5, "¥1,234.50"},
      {8, -1234.5, "¥-1,234.50"},
      {9, 0.125, "13%"},
      {10, 0.125, "12.50%"},
      {11, 1234.5, "1.23E+03"},
      {12, 1234.5, "1234 1/2"},
      {13, 1234.5, "1234  1/2 "},
      {37, 1234.5, "1,235 "},
      {37, -1234.5, "(1,235)"},
      {38, -1234.5, "(1,235)"},
      {39, -1234.5, "(1,234.50)"},
      {40, 1234.5, "1,234.50"},
      {48, 1234.5, "1.2E+3"},
      {49, 1234.5, "1234.5"},
      {14, 45000, ""},
      {22, 45000, ""},
      {31, 45000, ""},
      {47, 0.5, ""},
      {57, 45000, ""},
      {23, 1234.5, "1234.5"},
      {164, 1234.5, "1234.5"},
      {-1, 1234.5, "1234.5"},
  };
  NumberStyles styles;
  for (const StyleCase& c : cases) styles.addStyle(c.formatId);
  for (std::size_t style = 0; style < std::size(cases); ++style) {
    const StyleCase& c = cases[style];
    SCOPED_TRACE(testing::Message() << c.value << " in built-in format " << c.formatId);
    EXPECT_EQ(styles.text(c.value, style), c.shown);
  }
}

TEST(NumberStyles, AWorkbooksOwnFormatsTakeThePlaceOfBuiltInOnes) {
  NumberStyles styles;
  styles.addStyle(1);
  styles.addStyle(14);
  styles.addStyle(164);
  styles.addStyle(165);
  styles.addStyle(166);
  // Formats may come after the styles that name them.
  styles.defineFormat(1, "000000");
  styles.defineFormat(14, "0.0");
  styles.defineFormat(164, "yyyy\"年\"");
  styles.defineFormat(165, "\"学号\"00000");
  styles.defineFormat(165, "00000000");
  styles.defineFormat(166, "not a \"code");
  const std::vector<std::string> shown = {"001235", "1234.5", "", "00001235", "1234.5"};
  for (std::size_t style = 0; style < shown.size(); ++style) {
    SCOPED_TRACE(testing::Message() << "style " << style);
    EXPECT_EQ(styles.text(1234.5, style), shown[style]);
  }
}

TEST(NumberStyles, AStyleTheWorkbookNeverDefinedIsGeneral) {
  NumberStyles styles;
  EXPECT_EQ(styles.text(20230101, 0), "20230101");
  styles.addStyle(2);
  EXPECT_EQ(styles.text(0.5, 0), "0.50");
  EXPECT_EQ(styles.text(0.5, 1), "0.5");
  EXPECT_EQ(styles.text(1e15, 99), "1E+15");
}

}  // namespace
}  // namespace veltrix::sheetreader
