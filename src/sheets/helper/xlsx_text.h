// Text as .xlsx parts hold it: shared strings and inline strings made of runs, with phonetic
// guides beside them, and characters XML cannot carry written as _xHHHH_.
#pragma once

#include <string>
#include <string_view>

namespace veltrix::sheetreader {

// _xHHHH_ as the UTF-16 unit it names (pairs joined), _x005F_ as the underscore that keeps the
// following _xHHHH_ literal; the result is valid UTF-8.
std::string decodeEscapes(std::string_view text);

// Character data kept only as far as a cell's text can reach: however it is escaped, the first
// kKeptRaw bytes give more than the helper ever sends of a cell.
class CappedText {
 public:
  static constexpr std::size_t kKeptRaw = 2048;

  void add(std::string_view piece);
  void clear();
  const std::string& kept() const { return kept_; }
  // Whether more came than was kept.
  bool cut() const { return cut_; }

 private:
  std::string kept_;
  bool cut_ = false;
};

// The text of a shared string item or an inline string, gathered from the events inside it:
// its own <t>, or the first <t> of each run; phonetic runs (<rPh>), the reading shown above
// Japanese names, are not part of it. Depths count from the item, whose own text is no part.
class RichText {
 public:
  void start(std::string_view localName);
  void end();
  void text(std::string_view characters);
  // The text decoded and cut to what a cell sends; ready for the next item.
  std::string take();

 private:
  CappedText raw_;
  int depth_ = 0;
  int textDepth_ = -1;  // the depth of the <t> being gathered, else -1
  bool inRun_ = false;
  bool runHadText_ = false;
};

}  // namespace veltrix::sheetreader
