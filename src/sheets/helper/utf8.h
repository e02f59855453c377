// UTF-8 as the sheet stream carries it: every text the helper sends is valid UTF-8, whatever
// bytes or code units the workbook held.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veltrix::sheetreader {

void appendUtf8(std::string& out, char32_t code);

// The text with every byte sequence that is not UTF-8 (including encoded surrogates) replaced
// by U+FFFD.
std::string repairedUtf8(std::string_view text);

// Text in a Windows code page (a BIFF5 workbook's CODEPAGE record), each byte the code page lacks
// as U+FFFD. One converter serves every text of a workbook.
class CodePage {
 public:
  explicit CodePage(std::uint16_t codePage);
  ~CodePage();
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;

  // False for a code page iconv does not know.
  bool known() const;
  // Empty for an unknown code page.
  std::string text(std::string_view bytes) const;

 private:
  void* handle_;
};

// Appends UTF-16 code units as UTF-8, joining surrogate pairs and replacing a lone surrogate.
class Utf16Appender {
 public:
  explicit Utf16Appender(std::string& out) : out_(out) {}
  ~Utf16Appender() { flush(); }
  void add(char16_t unit);
  void flush();

 private:
  std::string& out_;
  char16_t high_ = 0;
};

}  // namespace veltrix::sheetreader
