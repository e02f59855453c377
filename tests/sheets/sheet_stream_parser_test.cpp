// The program's side of the helper's stream: a whole stream makes the book however it is cut
// into reads; anything out of form is Broken (the program then says Crashed), and a stream
// beyond the program's limits is TooLarge.
#include <gtest/gtest.h>

#include <QByteArray>
#include <functional>

#include "sheets/sheet_stream_format.h"
#include "sheets/sheet_stream_parser.h"
#include "test_files.h"

namespace veltrix {
namespace {

using State = SheetStreamParser::State;
using test::u;

// Lays out a stream record by record, as the helper writes it.
class Stream {
 public:
  Stream() { bytes_ = QByteArray("VXSHEET") + char(sheetstream::kVersion); }

  Stream& sheet(const QByteArray& name) { return record('S', name); }
  Stream& cell(quint32 row, quint32 column, const QByteArray& text) {
    return record('C', le(row) + le(column) + text);
  }
  Stream& end(int sheetDelta = 0, int cellDelta = 0, quint32 sumMask = 0) {
    const auto sum = sheetstream::checksum(sheetstream::kChecksumStart,
                                           reinterpret_cast<const unsigned char*>(bytes_.data()),
                                           std::size_t(bytes_.size()));
    return record('E', le(sheets_ + sheetDelta) + le(cells_ + cellDelta) + le(sum ^ sumMask));
  }
  Stream& record(char type, const QByteArray& payload) {
    bytes_ += type + le(quint32(payload.size())) + payload;
    sheets_ += type == 'S';
    cells_ += type == 'C';
    return *this;
  }
  Stream& raw(const QByteArray& bytes) {
    bytes_ += bytes;
    return *this;
  }
  QByteArray bytes() const { return bytes_; }

 private:
  static QByteArray le(quint32 value) {
    QByteArray out(4, '\0');
    for (int i = 0; i < 4; ++i) out[i] = char((value >> (8 * i)) & 0xFF);
    return out;
  }

  QByteArray bytes_;
  quint32 sheets_ = 0;
  quint32 cells_ = 0;
};

Stream roster() {
  return Stream()
      .sheet("一班")
      .cell(0, 0, "学号")
      .cell(1, 0, "20230101")
      .cell(1, 1, "张三")
      .sheet("𠀀")
      .cell(1048575, 16383, "最后一格");
}

TEST(SheetStreamParser, MakesTheSameBookHoweverTheStreamIsCut) {
  const QByteArray whole = roster().end().bytes();
  for (const qsizetype piece : {whole.size(), qsizetype(1), qsizetype(7), qsizetype(13)}) {
    SheetStreamParser parser;
    for (qsizetype at = 0; at < whole.size(); at += piece) parser.feed(whole.mid(at, piece));
    ASSERT_EQ(parser.state(), State::Whole) << "pieces of " << piece;
    const SpreadsheetBook book = parser.takeBook();
    ASSERT_EQ(book.sheets.size(), 2u);
    EXPECT_EQ(book.sheets[0].name, u("一班"));
    EXPECT_EQ(book.sheets[0].cells.size(), 3);
    EXPECT_EQ(book.sheets[0].text(1, 1), u("张三"));
    EXPECT_EQ(book.sheets[1].name, u("𠀀"));
    EXPECT_EQ(book.sheets[1].text(1048575, 16383), u("最后一格"));
  }
}

TEST(SheetStreamParser, AStreamWithoutItsEndIsNeverWhole) {
  const QByteArray whole = roster().end().bytes();
  for (qsizetype cut = 0; cut < whole.size(); ++cut) {
    SheetStreamParser parser;
    EXPECT_NE(parser.feed(whole.first(cut)), State::Whole) << "cut at " << cut;
  }
}

struct MalformedCase {
  const char* name;
  std::function<QByteArray()> bytes;
};

const MalformedCase kMalformed[] = {
    {"wrong_magic", [] { return QByteArray("VXSHEEX\x01") + roster().end().bytes().mid(8); }},
    {"newer_version", [] { return QByteArray("VXSHEET\x02") + roster().end().bytes().mid(8); }},
    {"cell_before_any_sheet",
     [] { return Stream().cell(0, 0, "张三").sheet("一班").end().bytes(); }},
    {"unknown_record", [] { return roster().record('X', "?").end().bytes(); }},
    {"row_beyond_last", [] { return Stream().sheet("一班").cell(1048576, 0, "x").end().bytes(); }},
    {"column_beyond_xfd", [] { return Stream().sheet("一班").cell(0, 16384, "x").end().bytes(); }},
    {"cell_without_text", [] { return Stream().sheet("一班").cell(0, 0, "").end().bytes(); }},
    {"cell_too_short", [] { return Stream().sheet("一班").record('C', "abc").end().bytes(); }},
    {"not_utf8", [] { return Stream().sheet("一班").cell(0, 0, "\xC3\x28").end().bytes(); }},
    {"longer_than_any_record", [] { return roster().raw("C\xFF\xFF\xFF\x7F").bytes(); }},
    {"end_miscounts_sheets", [] { return roster().end(1).bytes(); }},
    {"end_miscounts_cells", [] { return roster().end(0, -1).bytes(); }},
    {"end_checksum_wrong", [] { return roster().end(0, 0, 1).bytes(); }},
    {"end_of_wrong_size", [] { return roster().record('E', "12345678").bytes(); }},
    {"bytes_after_end", [] { return roster().end().raw("S").bytes(); }},
};

class MalformedStream : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedStream, IsBroken) {
  SheetStreamParser parser;
  EXPECT_EQ(parser.feed(GetParam().bytes()), State::Broken);
}

INSTANTIATE_TEST_SUITE_P(Cases, MalformedStream, testing::ValuesIn(kMalformed),
                         [](const testing::TestParamInfo<MalformedCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(SheetStreamParser, BytesArrivingAfterTheEndBreakIt) {
  SheetStreamParser parser;
  ASSERT_EQ(parser.feed(roster().end().bytes()), State::Whole);
  EXPECT_EQ(parser.feed("S"), State::Broken);
}

TEST(SheetStreamParser, MoreEntriesThanTheProgramHoldsIsTooLarge) {
  SheetStreamParser parser(SheetStreamLimits{4, 1 << 20});
  EXPECT_EQ(parser.feed(roster().bytes()), State::TooLarge);  // two sheets and three cells
}

TEST(SheetStreamParser, MoreTextThanTheProgramHoldsIsTooLarge) {
  SheetStreamParser parser(SheetStreamLimits{100, 40});
  EXPECT_EQ(parser.feed(Stream().sheet("一班").cell(0, 0, QByteArray(40, 'x')).bytes()),
            State::TooLarge);
}

}  // namespace
}  // namespace veltrix
