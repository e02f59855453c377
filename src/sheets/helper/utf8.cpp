#include "utf8.h"

#include <iconv.h>

#include <cerrno>

namespace veltrix::sheetreader {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isSurrogate(char32_t code) {
  return code >= 0xD800 && code <= 0xDFFF;
}

// The length of the valid sequence at the start of text, or 0.
std::size_t validSequence(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length;
  char32_t code;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10FFFF || isSurrogate(code)) return 0;
  return length;
}

// iconv's name for a CODEPAGE record's number: a Windows code page, or 367 for ASCII, 10000
// and 32768 for Mac Roman, 32769 for Windows Latin 1.
std::string iconvName(std::uint16_t codePage) {
  switch (codePage) {
    case 367:
      return "ASCII";
    case 10000:
    case 32768:
      return "MACINTOSH";
    case 32769:
      return "CP1252";
    default:
      return "CP" + std::to_string(codePage);
  }
}

}  // namespace

void appendUtf8(std::string& out, char32_t code) {
  if (code > 0x10FFFF || isSurrogate(code)) code = kReplacement;
  if (code < 0x80) {
    out += char(code);
  } else if (code < 0x800) {
    out += char(0xC0 | (code >> 6));
    out += char(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += char(0xE0 | (code >> 12));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  } else {
    out += char(0xF0 | (code >> 18));
    out += char(0x80 | ((code >> 12) & 0x3F));
    out += char(0x80 | ((code >> 6) & 0x3F));
    out += char(0x80 | (code & 0x3F));
  }
}

std::string repairedUtf8(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t length = validSequence(text.substr(at));
    if (length == 0) break;
    at += length;
  }
  if (at == text.size()) return std::string(text);
  std::string out(text.substr(0, at));
  while (at < text.size()) {
    const std::size_t length = validSequence(text.substr(at));
    if (length == 0) {
      appendUtf8(out, kReplacement);
      ++at;
    } else {
      out.append(text.substr(at, length));
      at += length;
    }
  }
  return out;
}

CodePage::CodePage(std::uint16_t codePage)
    : handle_(iconv_open("UTF-8", iconvName(codePage).c_str())) {}

CodePage::~CodePage() {
  if (known()) iconv_close(handle_);
}

bool CodePage::known() const {
  return handle_ != iconv_t(-1);
}

std::string CodePage::text(std::string_view bytes) const {
  if (!known()) return {};
  iconv(handle_, nullptr, nullptr, nullptr, nullptr);
  std::string out;
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char buffer[256];
    char* to = buffer;
    std::size_t toLeft = sizeof buffer;
    const std::size_t converted = iconv(handle_, &in, &inLeft, &to, &toLeft);
    out.append(buffer, std::size_t(to - buffer));
    if (converted == std::size_t(-1) && errno != E2BIG) {
      // A byte outside the code page, or a double-byte character cut off at the end.
      appendUtf8(out, kReplacement);
      ++in;
      --inLeft;
    }
  }
  // Code pages such as 1255 and 1258 hold the last letter back in case a combining mark follows.
  char buffer[16];
  char* to = buffer;
  std::size_t toLeft = sizeof buffer;
  iconv(handle_, nullptr, nullptr, &to, &toLeft);
  out.append(buffer, std::size_t(to - buffer));
  return out;
}

void Utf16Appender::add(char16_t unit) {
  if (unit >= 0xDC00 && unit <= 0xDFFF && high_ != 0) {
    appendUtf8(out_, 0x10000 + ((char32_t(high_) - 0xD800) << 10) + (char32_t(unit) - 0xDC00));
    high_ = 0;
    return;
  }
  flush();
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    high_ = unit;
  } else {
    appendUtf8(out_, unit);
  }
}

void Utf16Appender::flush() {
  if (high_ != 0) appendUtf8(out_, kReplacement);
  high_ = 0;
}

}  // namespace veltrix::sheetreader
