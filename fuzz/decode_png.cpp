// Fuzzes the PNG decoder alone, without the format sniffing in front of it. Every chunk's CRC is
// made right first: libpng refuses a chunk with a wrong one at once, so mutated inputs would
// otherwise hardly ever get past the first chunk.
#include <zlib.h>

#include "codec/picture_decoders.h"
#include "picture_checks.h"
#include "qt_input.h"

namespace {

quint32 bigEndian(const char* bytes) {
  quint32 value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[i]);
  return value;
}

void fixChunkCrcs(QByteArray& png) {
  constexpr qsizetype kSignature = 8;
  for (qsizetype at = kSignature; png.size() - at >= 12;) {
    const quint32 length = bigEndian(png.constData() + at);
    if (length > quint32(png.size() - at - 12)) return;
    const auto typeAndData = reinterpret_cast<const Bytef*>(png.constData() + at + 4);
    const quint32 crc = static_cast<quint32>(crc32(crc32(0, nullptr, 0), typeAndData, length + 4));
    char* stored = png.data() + at + 8 + length;
    for (int i = 0; i < 4; ++i) stored[i] = static_cast<char>(crc >> (24 - 8 * i));
    at += 12 + qsizetype(length);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix;
  QByteArray bytes = fuzz::bytesOf(data, size);
  fixChunkCrcs(bytes);
  fuzz::checkResult(picture::decodePng(bytes));
  return 0;
}
