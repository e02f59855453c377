// Reads the Orientation tag from a JPEG's EXIF segment and lays the decoded rows upright. The
// segment comes straight from the file, so every offset in it is checked before use.
#include <algorithm>
#include <cstring>

#include "codec/picture_decoders.h"

namespace veltrix::picture {

namespace {

constexpr unsigned char kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::size_t kEntrySize = 12;

// Enough stored rows a band for the tallest row group libjpeg hands out at once.
constexpr int kBandRows = 16;

// How each orientation turns the stored picture: values 5 to 8 store it on its side, so a
// stored row becomes an upright column.
struct Turn {
  bool sideways;
  bool flipRows;
  bool flipColumns;
};
constexpr Turn kTurns[] = {
    {false, false, false}, {false, false, true}, {false, true, true}, {false, true, false},
    {true, false, false},  {true, true, false},  {true, true, true},  {true, false, true},
};

Turn turnOf(int orientation) {
  return orientation >= 1 && orientation <= 8 ? kTurns[orientation - 1] : kTurns[0];
}

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

QSize uprightSize(int orientation, int width, int height) {
  return turnOf(orientation).sideways ? QSize(height, width) : QSize(width, height);
}

UprightRows::UprightRows(QImage& upright, int orientation, PictureRowSink* sink)
    : upright_(upright), sink_(sink), bits_(upright.bits()), bytesPerLine_(upright.bytesPerLine()) {
  const Turn turn = turnOf(orientation);
  sideways_ = turn.sideways;
  flipRows_ = turn.flipRows;
  flipColumns_ = turn.flipColumns;
  storedWidth_ = sideways_ ? upright.height() : upright.width();
  storedHeight_ = sideways_ ? upright.width() : upright.height();
  if (sideways_) band_.resize(size_t(kBandRows) * size_t(storedWidth_));
  rows_.resize(kBandRows);
}

int UprightRows::room(int first) const {
  return std::min(kBandRows, storedHeight_ - first);
}

unsigned char** UprightRows::target(int first) {
  for (int i = 0; i < room(first); ++i) {
    const int y = first + i;
    rows_[size_t(i)] =
        sideways_
            ? reinterpret_cast<unsigned char*>(band_.data() + size_t(i) * size_t(storedWidth_))
            : bits_ + bytesPerLine_ * (flipRows_ ? storedHeight_ - 1 - y : y);
  }
  return rows_.data();
}

void UprightRows::written(int first, int count) {
  if (!sideways_) {
    if (flipColumns_) {
      for (int i = 0; i < count; ++i) {
        QRgb* row = reinterpret_cast<QRgb*>(rows_[size_t(i)]);
        std::reverse(row, row + storedWidth_);
      }
    }
    if (sink_) sink_->rowsDone(upright_, flipRows_ ? storedHeight_ - first - count : first, count);
    return;
  }
  // Stored column x is upright row x, or the mirror of it; the band's rows land side by side
  // in it, so each upright row gets one short run of neighbouring pixels.
  const int step = flipRows_ ? -1 : 1;
  const int start = flipRows_ ? storedHeight_ - 1 - first : first;
  for (int x = 0; x < storedWidth_; ++x) {
    const int row = flipColumns_ ? storedWidth_ - 1 - x : x;
    QRgb* out = reinterpret_cast<QRgb*>(bits_ + bytesPerLine_ * row) + start;
    const QRgb* in = band_.data() + x;
    for (int i = 0; i < count; ++i, out += step, in += storedWidth_) *out = *in;
  }
}

void UprightRows::finish() {
  band_ = std::vector<QRgb>();
  if (sideways_ && sink_) sink_->rowsDone(upright_, 0, upright_.height());
}

}  // namespace veltrix::picture
