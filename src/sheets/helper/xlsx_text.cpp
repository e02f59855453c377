#include "xlsx_text.h"

#include "record_writer.h"
#include "utf8.h"

namespace veltrix::sheetreader {

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code unit of an _xHHHH_ escape at the start of text, or -1.
int escapeAt(std::string_view text) {
  if (text.size() < 7 || text[0] != '_' || text[1] != 'x' || text[6] != '_') return -1;
  int unit = 0;
  for (int i = 2; i < 6; ++i) {
    const int digit = hexValue(text[i]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

}  // namespace

std::string decodeEscapes(std::string_view text) {
  if (text.find("_x") == std::string_view::npos) return repairedUtf8(text);
  std::string out;
  Utf16Appender units(out);
  for (std::size_t i = 0; i < text.size();) {
    const int unit = escapeAt(text.substr(i));
    if (unit >= 0) {
      units.add(char16_t(unit));
      i += 7;
    } else {
      units.flush();
      out += text[i++];
    }
  }
  units.flush();
  return repairedUtf8(out);
}

void CappedText::add(std::string_view piece) {
  const std::size_t room = kKeptRaw - kept_.size();
  if (piece.size() > room) cut_ = true;
  kept_ += piece.substr(0, room);
}

void CappedText::clear() {
  kept_.clear();
  cut_ = false;
}

void RichText::start(std::string_view localName) {
  ++depth_;
  if (depth_ == 1) {
    inRun_ = localName == "r";
    runHadText_ = false;
    if (localName == "t") textDepth_ = 1;
  } else if (depth_ == 2 && inRun_ && !runHadText_ && localName == "t") {
    runHadText_ = true;
    textDepth_ = 2;
  }
}

void RichText::end() {
  if (depth_ == textDepth_) textDepth_ = -1;
  if (depth_ == 1) inRun_ = false;
  --depth_;
}

void RichText::text(std::string_view characters) {
  if (depth_ == textDepth_) raw_.add(characters);
}

std::string RichText::take() {
  std::string text = decodeEscapes(raw_.kept());
  text.resize(cellTextPrefix(text).size());
  raw_.clear();
  return text;
}

}  // namespace veltrix::sheetreader
