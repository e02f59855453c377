// Reads the Orientation tag from a JPEG's EXIF segment and turns the decoded picture upright.
// The segment comes straight from the file, so every offset in it is checked before use.
#include <QTransform>
#include <cstring>
#include <utility>

#include "platform/picture_decoders.h"

namespace veltrix::picture {

namespace {

constexpr unsigned char kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::size_t kEntrySize = 12;

class TiffReader {
 public:
  TiffReader(const unsigned char* data, std::size_t size, bool littleEndian)
      : data_(data), size_(size), littleEndian_(littleEndian) {}

  bool has(std::uint64_t offset, std::uint64_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }
  std::uint16_t u16(std::size_t at) const {
    const unsigned char* p = data_ + at;
    return littleEndian_ ? std::uint16_t(p[0] | p[1] << 8) : std::uint16_t(p[0] << 8 | p[1]);
  }
  std::uint32_t u32(std::size_t at) const {
    const std::uint32_t a = u16(at), b = u16(at + 2);
    return littleEndian_ ? (b << 16 | a) : (a << 16 | b);
  }

 private:
  const unsigned char* data_;
  std::size_t size_;
  bool littleEndian_;
};

}  // namespace

int exifOrientation(const unsigned char* segment, std::size_t size) {
  if (size < sizeof kExifHeader + 8 || std::memcmp(segment, kExifHeader, sizeof kExifHeader) != 0)
    return 1;
  const unsigned char* tiff = segment + sizeof kExifHeader;
  const std::size_t tiffSize = size - sizeof kExifHeader;
  bool littleEndian;
  if (tiff[0] == 'I' && tiff[1] == 'I') {
    littleEndian = true;
  } else if (tiff[0] == 'M' && tiff[1] == 'M') {
    littleEndian = false;
  } else {
    return 1;
  }
  const TiffReader reader(tiff, tiffSize, littleEndian);
  if (reader.u16(2) != 42) return 1;
  const std::uint64_t ifd = reader.u32(4);
  if (!reader.has(ifd, 2)) return 1;
  // Only IFD0 is read, so a chain of next-IFD offsets that loops back cannot trap us.
  const std::uint16_t count = reader.u16(ifd);
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint64_t entry = ifd + 2 + i * kEntrySize;
    if (!reader.has(entry, kEntrySize)) return 1;
    if (reader.u16(entry) != kOrientationTag) continue;
    const int value = reader.u16(entry + 2) == kTypeShort ? reader.u16(entry + 8) : 0;
    return value >= 1 && value <= 8 ? value : 1;
  }
  return 1;
}

QImage orientUpright(QImage stored, int orientation) {
  // Values 5 to 8 store the picture on its side: turn it a quarter clockwise first, then
  // the mirror that is left over.
  const QTransform quarterTurn = QTransform().rotate(90);
  switch (orientation) {
    case 2:
      return std::move(stored).mirrored(true, false);
    case 3:
      return std::move(stored).mirrored(true, true);
    case 4:
      return std::move(stored).mirrored(false, true);
    case 5:
      return stored.transformed(quarterTurn).mirrored(true, false);
    case 6:
      return stored.transformed(quarterTurn);
    case 7:
      return stored.transformed(quarterTurn).mirrored(false, true);
    case 8:
      return stored.transformed(QTransform().rotate(270));
    default:
      return stored;
  }
}

}  // namespace veltrix::picture
