// GB18030 conversion: exact bytes for GBK and 4-byte characters, round trips, bad input.
#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <QList>
#include <ostream>
#include <string>

namespace veltrix {
namespace {

QByteArray hex(const char* digits) {
  return QByteArray::fromHex(digits);
}

struct EncodingCase {
  const char* name;
  const char* utf8;
  const char* gb18030Hex;
};

// Readable test names in listings instead of the struct's raw bytes.
void PrintTo(const EncodingCase& c, std::ostream* os) {
  *os << c.name;
}

class Gb18030Encoding : public testing::TestWithParam<EncodingCase> {};

TEST_P(Gb18030Encoding, EncodesToExactBytesAndBack) {
  const QString text = QString::fromUtf8(GetParam().utf8);
  const QByteArray bytes = hex(GetParam().gb18030Hex);
  EXPECT_EQ(toGb18030(text).toHex(), bytes.toHex());
  EXPECT_EQ(fromGb18030(bytes), text);
  EXPECT_EQ(gb18030Length(text), bytes.size());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Gb18030Encoding,
    testing::Values(EncodingCase{"Empty", "", ""},
                    EncodingCase{"Ascii", "set.dll =1", "7365742e646c6c203d31"},
                    EncodingCase{"GbkFlag", "真", "d5e6"},
                    EncodingCase{"GbkWithAscii", "批量截图]a", "c5fac1bfbdd8cdbc5d61"},
                    EncodingCase{"TrailByteIsBracket", "乚", "815d"},
                    EncodingCase{"TwoByteBeyondGbk", "\u00b7\u20ac\u1e3f", "a1a4a2e3a8bc"},
                    EncodingCase{"Emoji", "😀", "9439fc36"},
                    EncodingCase{"ExtensionB", "𠀀", "95328236"},
                    EncodingCase{"MovedPrivateUse", "\ue78d", "84318236"},
                    EncodingCase{"FourByteBmp", "\u0080", "81308130"}),
    [](const testing::TestParamInfo<EncodingCase>& info) { return info.param.name; });

TEST(Gb18030RoundTrip, EveryCharacterOfManyRangesSurvives) {
  struct Range {
    char32_t first;
    char32_t last;
  };
  const Range ranges[] = {{0x20, 0x7e},        {0x80, 0x2ff},      {0x3000, 0x33ff},
                          {0x4e00, 0x9fff},    {0xe000, 0xe815},   {0xe819, 0xe830},
                          {0xf900, 0xfffd},    {0x1f300, 0x1f64f}, {0x20000, 0x2a6df},
                          {0x10fff0, 0x10fffd}};
  for (const Range& range : ranges) {
    std::u32string all;
    for (char32_t c = range.first; c <= range.last; ++c) all.push_back(c);
    const QString text = QString::fromUcs4(all.data(), static_cast<qsizetype>(all.size()));
    const QString back = fromGb18030(toGb18030(text));
    const auto first = static_cast<unsigned>(range.first);
    ASSERT_EQ(back.size(), text.size()) << std::hex << first;
    for (qsizetype i = 0; i < text.size(); ++i)
      ASSERT_EQ(back[i].unicode(), text[i].unicode()) << std::hex << first << "+" << i;
  }
}

struct DecodingCase {
  const char* name;
  const char* inputHex;
  const char* expectedUtf8;
};

void PrintTo(const DecodingCase& c, std::ostream* os) {
  *os << c.name;
}

class Gb18030BadInput : public testing::TestWithParam<DecodingCase> {};

TEST_P(Gb18030BadInput, BecomesReplacementCharactersAndGoesOn) {
  EXPECT_EQ(fromGb18030(hex(GetParam().inputHex)), QString::fromUtf8(GetParam().expectedUtf8));
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Gb18030BadInput,
    testing::Values(DecodingCase{"LoneLeadAtEnd", "d5", "\ufffd"},
                    DecodingCase{"LeadBeforeAscii", "d520d5e6", "\ufffd 真"},
                    DecodingCase{"ByteNeverValid", "80ff41", "\ufffd\ufffdA"},
                    DecodingCase{"TruncatedFourByte", "8130", "\ufffd0"},
                    DecodingCase{"BrokenFourByteThenText", "8130d5e6", "\ufffd0真"},
                    DecodingCase{"ValidAroundInvalid", "d5e6ffd5e6", "真\ufffd真"}),
    [](const testing::TestParamInfo<DecodingCase>& info) { return info.param.name; });

TEST(Gb18030BadInput, LongRunOfInvalidBytesDecodesOnePerByte) {
  const QByteArray bytes(20000, '\xff');
  const QString text = fromGb18030(bytes);
  EXPECT_EQ(text.size(), bytes.size());
  EXPECT_EQ(text.count(QChar(0xfffd)), bytes.size());
}

TEST(Gb18030Encoding, ByteOrderMarkIsKeptAsACharacter) {
  // Built by hand: QString::fromUtf8 would drop a leading byte-order mark.
  const QString text = QString(QChar(0xfeff)) + u'a';
  EXPECT_EQ(toGb18030(text).toHex(), QByteArray("8431953361"));
  EXPECT_EQ(fromGb18030(toGb18030(text)), text);
}

TEST(Gb18030Encoding, LoneSurrogateBecomesReplacement) {
  QString text = QStringLiteral("a");
  text.append(QChar(0xd800));
  text.append(u'b');
  EXPECT_EQ(toGb18030(text).toHex(), QByteArray("618431a43762"));
}

TEST(Gb18030Encoding, LongMixedTextSpanningManyChunks) {
  QString text;
  for (int i = 0; i < 5000; ++i) text += QString::fromUtf8("真a😀");
  const QByteArray bytes = toGb18030(text);
  EXPECT_EQ(bytes.size(), 5000 * 7);
  EXPECT_EQ(bytes.first(7).toHex(), QByteArray("d5e6619439fc36"));
  EXPECT_EQ(fromGb18030(bytes), text);
}

}  // namespace
}  // namespace veltrix
