// The JPEG size search against a scripted encoder whose file sizes per quality are known, so
// every quality asked for and the one kept can be checked; and the message when it fails.
#include "save/jpeg_size_target.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "test_files.h"

namespace veltrix {
namespace {

using test::u;
using testing::ElementsAreArray;

// 100 + 10 × quality bytes unless a size is set for that quality. Each file is filled with its
// quality, so the bytes that come back tell which quality made them.
struct ScriptedEncoder {
  std::map<int, qsizetype> sizes;
  std::vector<int> asked;

  QByteArray operator()(int quality) {
    asked.push_back(quality);
    const auto set = sizes.find(quality);
    return QByteArray(set != sizes.end() ? set->second : 100 + 10 * quality, char(quality));
  }
};

EncodeResult search(double limitBytes, ScriptedEncoder& encoder) {
  return fitJpegToLimit(limitBytes / 1024.0, std::ref(encoder));
}

std::vector<int> coarseDownTo(int quality) {
  std::vector<int> qualities;
  for (int q = 100; q >= quality; q -= 5) qualities.push_back(q);
  return qualities;
}

std::vector<int> joined(std::vector<int> head, const std::vector<int>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

struct SearchCase {
  const char* name;
  double limitBytes;
  std::map<int, qsizetype> sizes;
  std::vector<int> asked;
  int kept;  // the quality whose bytes come back
};

void PrintTo(const SearchCase& c, std::ostream* os) {
  *os << c.name;
}

class JpegSizeSearch : public testing::TestWithParam<SearchCase> {};

TEST_P(JpegSizeSearch, AsksForTheseQualitiesAndKeepsTheBestThatFits) {
  const SearchCase& c = GetParam();
  ScriptedEncoder encoder{c.sizes, {}};
  const EncodeResult result = search(c.limitBytes, encoder);
  EXPECT_THAT(encoder.asked, ElementsAreArray(c.asked));
  EXPECT_TRUE(result.targetMet);
  EXPECT_EQ(result.smallestBytes, 0);
  ScriptedEncoder reference{c.sizes, {}};
  EXPECT_EQ(result.bytes, reference(c.kept));
}

INSTANTIATE_TEST_SUITE_P(
    Searches, JpegSizeSearch,
    testing::Values(
        SearchCase{"FitsAtOnce", 1100, {}, {100}, 100},
        SearchCase{"FitsAtOnceWithRoomToSpare", 5000, {}, {100}, 100},
        // 85 fits, 90 does not: each of 86..89 fits and the last is kept.
        SearchCase{
            "FinePassClimbsFourSteps", 990, {}, joined(coarseDownTo(85), {86, 87, 88, 89}), 89},
        SearchCase{"FinePassStopsAtTheFirstMiss", 960, {}, joined(coarseDownTo(85), {86, 87}), 86},
        // 88 would fit again, but the search never looks past the first miss.
        SearchCase{"LaterQualityIsNotTriedAfterAMiss",
                   990,
                   {{87, 5000}},
                   joined(coarseDownTo(85), {86, 87}),
                   86},
        SearchCase{"SizeEqualToTheLimitFits", 950, {}, joined(coarseDownTo(85), {86}), 85},
        SearchCase{"FinePassBelowAMissedHundred", 1090, {}, {100, 95, 96, 97, 98, 99}, 99},
        SearchCase{"OnlyQualityZeroFits", 100, {}, joined(coarseDownTo(0), {1}), 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JpegSizeTarget, UnreachableLimitGivesQualityZeroAndItsSize) {
  ScriptedEncoder encoder;
  const EncodeResult result = search(99, encoder);
  EXPECT_THAT(encoder.asked, ElementsAreArray(coarseDownTo(0)));
  EXPECT_EQ(encoder.asked.size(), 21u);
  EXPECT_FALSE(result.targetMet);
  EXPECT_EQ(result.bytes, QByteArray(100, char(0)));
  EXPECT_EQ(result.smallestBytes, 100);
}

TEST(JpegSizeTarget, EmptyEncodingNeverFits) {
  int calls = 0;
  const EncodeResult nothing = fitJpegToLimit(1000, [&calls](int) {
    ++calls;
    return QByteArray();
  });
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(nothing.bytes.isEmpty());

  // 1000 bytes fit from quality 50 down; quality 51 of the fine pass gives nothing.
  calls = 0;
  const EncodeResult stopped = fitJpegToLimit(1000.0 / 1024, [&calls](int quality) {
    ++calls;
    return quality == 51 ? QByteArray() : QByteArray(quality <= 50 ? 1000 : 2000, 'x');
  });
  EXPECT_EQ(calls, 12);  // 100, 95, …, 50, then 51
  EXPECT_EQ(stopped.bytes.size(), 1000);
  EXPECT_TRUE(stopped.targetMet);
}

struct LimitCase {
  double limitKb;
  qsizetype size;
  bool fits;
};

class JpegSizeLimit : public testing::TestWithParam<LimitCase> {};

TEST_P(JpegSizeLimit, IsTheFlooredByteCount) {
  const LimitCase& c = GetParam();
  int calls = 0;
  const EncodeResult result = fitJpegToLimit(c.limitKb, [&](int) {
    ++calls;
    return QByteArray(c.size, 'x');
  });
  EXPECT_EQ(result.targetMet, c.fits) << "limit " << c.limitKb << " KB, file " << c.size;
  EXPECT_EQ(calls, c.fits ? 1 : 21);
}

INSTANTIATE_TEST_SUITE_P(KbToBytes, JpegSizeLimit,
                         testing::Values(LimitCase{1.0, 1024, true}, LimitCase{1.0, 1025, false},
                                         LimitCase{0.1, 102, true},  // 102.4 bytes
                                         LimitCase{0.1, 103, false},
                                         // A hair (1e-13) under 1024 bytes counts as 1024 ...
                                         LimitCase{1023.9999999999999 / 1024, 1024, true},
                                         // ... a ten-millionth of a byte under does not.
                                         LimitCase{1023.9999999 / 1024, 1024, false},
                                         LimitCase{1023.9999999 / 1024, 1023, true},
                                         LimitCase{0.0, 1, false}, LimitCase{-3.0, 1, false}));

struct MessageCase {
  qint64 bytes;
  const char* kb;
};

class SizeTargetMessage : public testing::TestWithParam<MessageCase> {};

TEST_P(SizeTargetMessage, GivesTheSmallestSizeInKbToOneDecimal) {
  const MessageCase& c = GetParam();
  EXPECT_EQ(sizeTargetMessage(c.bytes), u("当前截图区域输出图片所能达到的最小体积为") + u(c.kb) +
                                            u("KB大小，\r\n请重新设置JPG输出体积。"));
}

INSTANTIATE_TEST_SUITE_P(Sizes, SizeTargetMessage,
                         testing::Values(MessageCase{12595, "12.3"},  // 12.2998 KB
                                         MessageCase{40960, "40"},    // exactly 40 KB: no ".0"
                                         MessageCase{51, "0"},        // 0.0498 KB
                                         MessageCase{52, "0.1"},      // 0.0508 KB
                                         MessageCase{256, "0.3"},     // 0.25 KB: a half goes up
                                         MessageCase{768, "0.8"},     // 0.75 KB
                                         MessageCase{1280, "1.3"},    // 1.25 KB
                                         MessageCase{0, "0"},
                                         MessageCase{102348, "99.9"},  // 99.949 KB
                                         MessageCase{102349, "100"},   // 99.950 KB
                                         MessageCase{1073741824, "1048576"}));

TEST(SizeTargetMessage, BreaksTheLineWithCarriageReturnAndLineFeed) {
  const QString text = sizeTargetMessage(2048);
  EXPECT_EQ(text.count(u("\r\n")), 1);
  EXPECT_EQ(text.count(QLatin1Char('\n')), 1);
  EXPECT_TRUE(text.contains(u("2KB大小，\r\n请")));
}

}  // namespace
}  // namespace veltrix
