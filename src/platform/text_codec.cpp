// GB18030 conversion through glibc iconv, working on QString's own UTF-16 so no byte-order
// mark or intermediate UTF-8 gets in the way; pure ASCII, most of a settings file, is copied.
#include "platform/text_codec.h"

#include <iconv.h>

#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace veltrix {

namespace {

constexpr char kGb18030[] = "GB18030";
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr char kUtf16[] = "UTF-16LE";
#else
constexpr char kUtf16[] = "UTF-16BE";
#endif

constexpr char16_t kReplacementChar = u'\uFFFD';
constexpr char kGb18030Replacement[] = "\x84\x31\xA4\x37";  // U+FFFD

// GB18030-2022 gave 18 private-use characters' 2-byte codes to standard characters and
// moved them to those characters' old 4-byte codes; glibc dropped them instead, so without
// this table they would not survive a round trip.
struct MovedCharacter {
  char16_t unit;
  char bytes[4];
};
constexpr std::array<MovedCharacter, 18> kMovedCharacters{{
    {u'\uE78D', {'\x84', '\x31', '\x82', '\x36'}},
    {u'\uE78E', {'\x84', '\x31', '\x82', '\x38'}},
    {u'\uE78F', {'\x84', '\x31', '\x82', '\x37'}},
    {u'\uE790', {'\x84', '\x31', '\x82', '\x39'}},
    {u'\uE791', {'\x84', '\x31', '\x83', '\x30'}},
    {u'\uE792', {'\x84', '\x31', '\x83', '\x31'}},
    {u'\uE793', {'\x84', '\x31', '\x83', '\x32'}},
    {u'\uE794', {'\x84', '\x31', '\x83', '\x33'}},
    {u'\uE795', {'\x84', '\x31', '\x83', '\x34'}},
    {u'\uE796', {'\x84', '\x31', '\x83', '\x35'}},
    {u'\uE81E', {'\x82', '\x35', '\x90', '\x37'}},
    {u'\uE826', {'\x82', '\x35', '\x90', '\x38'}},
    {u'\uE82B', {'\x82', '\x35', '\x90', '\x39'}},
    {u'\uE82C', {'\x82', '\x35', '\x91', '\x30'}},
    {u'\uE832', {'\x82', '\x35', '\x91', '\x31'}},
    {u'\uE843', {'\x82', '\x35', '\x91', '\x32'}},
    {u'\uE854', {'\x82', '\x35', '\x91', '\x33'}},
    {u'\uE864', {'\x82', '\x35', '\x91', '\x34'}},
}};

class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (valid()) iconv_close(handle_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

// What iconv rejects is first offered to `substitute`, which returns the input bytes it
// consumed (0 if none); otherwise one `unit` of input is replaced and skipped. Either way the
// loop advances, so no input can stall it. Both encodings are stateless: nothing to flush.
template <typename Substitute>
bool convert(const IconvHandle& converter, const char* data, size_t size, size_t unit,
             QByteArrayView replacement, Substitute substitute, QByteArray& output) {
  if (!converter.valid()) return false;
  iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);

  output.reserve(static_cast<qsizetype>(size * 2));
  char* in = const_cast<char*>(data);
  size_t inLeft = size;
  char chunk[4096];
  while (inLeft > 0) {
    char* out = chunk;
    size_t outLeft = sizeof chunk;
    const size_t result = iconv(converter.get(), &in, &inLeft, &out, &outLeft);
    const int error = errno;
    output.append(chunk, out - chunk);
    if (result != static_cast<size_t>(-1)) continue;
    if (error == E2BIG) {
      if (out == chunk) return false;
      continue;
    }
    size_t consumed = substitute(in, inLeft, output);
    if (consumed == 0) {
      output.append(replacement);
      consumed = std::min(unit, inLeft);
    }
    in += consumed;
    inLeft -= consumed;
  }
  return true;
}

void warnUnavailable() {
  // Once per run; a local static's initialisation is thread-safe.
  [[maybe_unused]] static const bool warned =
      (qWarning("GB18030 conversion is unavailable (iconv); falling back to UTF-8"), true);
}

bool isAscii(const QByteArray& bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

bool isAscii(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 0x80; });
}

}  // namespace

QByteArray toGb18030(const QString& text) {
  if (isAscii(text)) return text.toLatin1();
  const auto encodeMoved = [](const char* in, size_t left, QByteArray& out) -> size_t {
    if (left < sizeof(char16_t)) return 0;
    char16_t unit;
    std::memcpy(&unit, in, sizeof unit);
    for (const MovedCharacter& moved : kMovedCharacters) {
      if (moved.unit != unit) continue;
      out.append(moved.bytes, sizeof moved.bytes);
      return sizeof unit;
    }
    return 0;
  };
  // Opening a converter costs far more than converting a settings line: one per thread.
  thread_local const IconvHandle encoder(kGb18030, kUtf16);
  QByteArray bytes;
  if (convert(encoder, reinterpret_cast<const char*>(text.utf16()),
              static_cast<size_t>(text.size()) * sizeof(char16_t), sizeof(char16_t),
              kGb18030Replacement, encodeMoved, bytes))
    return bytes;
  warnUnavailable();
  return text.toUtf8();
}

QString fromGb18030(const QByteArray& bytes) {
  if (isAscii(bytes)) return QString::fromLatin1(bytes);
  const auto decodeMoved = [](const char* in, size_t left, QByteArray& out) -> size_t {
    for (const MovedCharacter& moved : kMovedCharacters) {
      if (left < sizeof moved.bytes || std::memcmp(in, moved.bytes, sizeof moved.bytes) != 0)
        continue;
      out.append(reinterpret_cast<const char*>(&moved.unit), sizeof moved.unit);
      return sizeof moved.bytes;
    }
    return 0;
  };
  thread_local const IconvHandle decoder(kUtf16, kGb18030);
  QByteArray utf16;
  if (!convert(
          decoder, bytes.constData(), static_cast<size_t>(bytes.size()), 1,
          QByteArrayView(reinterpret_cast<const char*>(&kReplacementChar), sizeof kReplacementChar),
          decodeMoved, utf16)) {
    warnUnavailable();
    return QString::fromUtf8(bytes);
  }
  return QString(reinterpret_cast<const QChar*>(utf16.constData()),
                 utf16.size() / static_cast<qsizetype>(sizeof(char16_t)));
}

int gb18030Length(const QString& text) {
  return static_cast<int>(toGb18030(text).size());
}

}  // namespace veltrix
