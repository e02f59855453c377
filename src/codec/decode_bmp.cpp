// Windows and OS/2 bitmaps, decoded here: every header from the OS/2 core one to V5, 1 to 32
// bits, palettes, RLE4/RLE8 and bit-field masks. Each read is checked against the file's end.
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <bit>
#include <variant>

#include "codec/picture_decoders.h"

namespace veltrix::picture {

namespace {

constexpr std::int64_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kHeaderWithColourMasks = 52;
constexpr std::uint32_t kHeaderWithAlphaMask = 56;

enum Compression : std::uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6,
};

class Bytes {
 public:
  explicit Bytes(const QByteArray& bytes)
      : data_(reinterpret_cast<const unsigned char*>(bytes.constData())), size_(bytes.size()) {}

  std::int64_t size() const { return size_; }
  bool has(std::int64_t offset, std::int64_t length) const {
    return offset >= 0 && length >= 0 && offset <= size_ && length <= size_ - offset;
  }
  // Callers check has() first.
  const unsigned char* at(std::int64_t offset) const { return data_ + offset; }
  std::uint16_t u16(std::int64_t offset) const {
    const unsigned char* p = at(offset);
    return std::uint16_t(p[0] | p[1] << 8);
  }
  std::uint32_t u32(std::int64_t offset) const {
    return std::uint32_t(u16(offset)) | std::uint32_t(u16(offset + 2)) << 16;
  }

 private:
  const unsigned char* data_;
  std::int64_t size_;
};

// Reads one channel through a mask of any width or position and scales it to 8 bits.
class Channel {
 public:
  Channel() = default;
  explicit Channel(std::uint32_t mask)
      : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask >> shift_) {}

  bool present() const { return mask_ != 0; }
  int operator()(std::uint32_t pixel) const {
    if (!max_) return 0;
    return int((std::uint64_t((pixel & mask_) >> shift_) * 255 + max_ / 2) / max_);
  }

 private:
  std::uint32_t mask_ = 0;
  int shift_ = 0;
  std::uint32_t max_ = 0;
};

struct Layout {
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool topDown = false;
  int bits = 0;
  std::uint32_t compression = kRgb;
  std::int64_t paletteOffset = 0;
  std::int64_t paletteEntries = 0;
  int paletteEntrySize = 4;
  std::int64_t pixelOffset = 0;
  std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
  bool hasMasks = false;
};

std::int64_t rowBytes(const Layout& layout) {
  return (layout.width * layout.bits + 31) / 32 * 4;
}

bool validDepth(const Layout& layout) {
  switch (layout.compression) {
    case kRgb:
      return layout.bits == 1 || layout.bits == 4 || layout.bits == 8 || layout.bits == 16 ||
             layout.bits == 24 || layout.bits == 32;
    case kRle8:
      return layout.bits == 8 && !layout.topDown;
    case kRle4:
      return layout.bits == 4 && !layout.topDown;
    case kBitFields:
    case kAlphaBitFields:
      return layout.bits == 16 || layout.bits == 32;
    default:
      return false;
  }
}

// The layout, or why the file has none.
std::variant<Layout, DecodeFailure> readLayout(const Bytes& file) {
  if (!file.has(0, kFileHeaderSize + 4)) return kDamaged;
  Layout layout;
  layout.pixelOffset = file.u32(10);
  const std::uint32_t headerSize = file.u32(kFileHeaderSize);
  const std::int64_t header = kFileHeaderSize;
  if (!file.has(header, headerSize)) return kDamaged;
  std::int64_t colourCount = 0;
  if (headerSize == kCoreHeaderSize) {
    layout.width = file.u16(header + 4);
    layout.height = file.u16(header + 6);
    layout.bits = file.u16(header + 10);
    layout.paletteEntrySize = 3;
  } else if (headerSize >= kInfoHeaderSize) {
    layout.width = std::int32_t(file.u32(header + 4));
    const std::int64_t height = std::int32_t(file.u32(header + 8));
    layout.topDown = height < 0;
    layout.height = height < 0 ? -height : height;
    layout.bits = file.u16(header + 14);
    layout.compression = file.u32(header + 16);
    colourCount = file.u32(header + 32);
  } else {
    return kDamaged;
  }
  if (const std::optional<DecodeFailure> failure = sizeFailure(layout.width, layout.height))
    return *failure;
  if (!validDepth(layout)) return kDamaged;

  layout.paletteOffset = header + headerSize;
  if (layout.compression == kBitFields || layout.compression == kAlphaBitFields) {
    // V2 and later headers carry the masks; a 40-byte header is followed by them.
    std::int64_t masksAt = header + kInfoHeaderSize;
    const int count =
        layout.compression == kAlphaBitFields || headerSize >= kHeaderWithAlphaMask ? 4 : 3;
    if (headerSize < kHeaderWithColourMasks) layout.paletteOffset += count * 4;
    if (!file.has(masksAt, count * 4)) return kDamaged;
    for (int i = 0; i < count; ++i, masksAt += 4) layout.masks[size_t(i)] = file.u32(masksAt);
    layout.hasMasks = true;
  }

  if (layout.bits <= 8) {
    const std::int64_t full = std::int64_t(1) << layout.bits;
    layout.paletteEntries = colourCount > 0 ? std::min(colourCount, full) : full;
    // Some writers leave out the unused tail of the palette; the pixel data then starts
    // earlier than the header's count says.
    if (layout.pixelOffset > layout.paletteOffset) {
      layout.paletteEntries =
          std::min(layout.paletteEntries,
                   (layout.pixelOffset - layout.paletteOffset) / layout.paletteEntrySize);
    }
    if (!file.has(layout.paletteOffset, layout.paletteEntries * layout.paletteEntrySize))
      return kDamaged;
  }
  // A pixel offset past the end is a header that lies; pixels that begin inside the file and
  // run past its end were cut short. Uncompressed rows must all be there before the picture is
  // allocated; RLE data has no size known in advance.
  if (!file.has(layout.pixelOffset, 1)) return kDamaged;
  const bool rle = layout.compression == kRle8 || layout.compression == kRle4;
  if (!rle && !file.has(layout.pixelOffset, rowBytes(layout) * layout.height)) return kIncomplete;
  return layout;
}

// Indices past the palette's end read as black, as Windows shows them.
std::array<QRgb, 256> readPalette(const Bytes& file, const Layout& layout) {
  std::array<QRgb, 256> palette;
  palette.fill(qRgb(0, 0, 0));
  for (std::int64_t i = 0; i < layout.paletteEntries; ++i) {
    const unsigned char* entry = file.at(layout.paletteOffset + i * layout.paletteEntrySize);
    palette[size_t(i)] = qRgb(entry[2], entry[1], entry[0]);
  }
  return palette;
}

QRgb* rowOf(QImage& image, const Layout& layout, std::int64_t storedRow) {
  const std::int64_t y = layout.topDown ? storedRow : layout.height - 1 - storedRow;
  return reinterpret_cast<QRgb*>(image.scanLine(int(y)));
}

void decodeUncompressed(const Bytes& file, const Layout& layout, QImage& image) {
  const std::int64_t stride = rowBytes(layout);
  const std::array<QRgb, 256> palette = readPalette(file, layout);

  std::array<Channel, 4> channels;
  if (layout.hasMasks) {
    for (size_t i = 0; i < 4; ++i) channels[i] = Channel(layout.masks[i]);
  } else if (layout.bits == 16) {
    channels = {Channel(0x7c00), Channel(0x03e0), Channel(0x001f), Channel()};
  }
  const bool alpha = channels[3].present();

  for (std::int64_t row = 0; row < layout.height; ++row) {
    const unsigned char* in = file.at(layout.pixelOffset + row * stride);
    QRgb* out = rowOf(image, layout, row);
    const int width = int(layout.width);
    switch (layout.bits) {
      case 1:
      case 4:
      case 8: {
        const int perByte = 8 / layout.bits;
        const int mask = (1 << layout.bits) - 1;
        for (int x = 0; x < width; ++x) {
          const int shift = (perByte - 1 - x % perByte) * layout.bits;
          out[x] = palette[size_t(in[x / perByte] >> shift & mask)];
        }
        break;
      }
      case 24:
        for (int x = 0; x < width; ++x, in += 3) out[x] = qRgb(in[2], in[1], in[0]);
        break;
      case 32:
        if (!layout.hasMasks) {
          for (int x = 0; x < width; ++x, in += 4) out[x] = qRgb(in[2], in[1], in[0]);
          break;
        }
        [[fallthrough]];
      default: {
        const int step = layout.bits / 8;
        for (int x = 0; x < width; ++x, in += step) {
          const std::uint32_t pixel =
              step == 2 ? std::uint32_t(in[0] | in[1] << 8)
                        : std::uint32_t(in[0] | in[1] << 8 | in[2] << 16 | in[3] << 24);
          out[x] = overWhite(channels[0](pixel), channels[1](pixel), channels[2](pixel),
                             alpha ? channels[3](pixel) : 255);
        }
        break;
      }
    }
  }
}

// Pixels the codes never reach stay white. Data that ends without the end-of-bitmap code on
// the last row keeps what was drawn, since some writers leave that code out; data that ends
// before the last row was cut short, and false comes back.
bool decodeRle(const Bytes& file, const Layout& layout, QImage& image) {
  const std::array<QRgb, 256> palette = readPalette(file, layout);
  const bool fourBit = layout.compression == kRle4;
  std::int64_t x = 0;
  std::int64_t row = 0;
  auto put = [&](int index) {
    if (x < layout.width) rowOf(image, layout, row)[x] = palette[size_t(index)];
    ++x;
  };
  std::int64_t at = layout.pixelOffset;
  while (row < layout.height && file.has(at, 2)) {
    const int count = *file.at(at);
    const int value = *file.at(at + 1);
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(fourBit ? (i % 2 ? value & 15 : value >> 4) : value);
    } else if (value == 0) {
      x = 0;
      ++row;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (!file.has(at, 2)) break;
      x += *file.at(at);
      row += *file.at(at + 1);
      at += 2;
    } else {
      const std::int64_t dataBytes = fourBit ? (value + 1) / 2 : value;
      if (!file.has(at, dataBytes)) break;
      const unsigned char* data = file.at(at);
      for (int i = 0; i < value; ++i)
        put(fourBit ? (i % 2 ? data[i / 2] & 15 : data[i / 2] >> 4) : data[i]);
      // Absolute runs are padded to a 16-bit boundary.
      at += dataBytes + (dataBytes & 1);
    }
  }
  return row >= layout.height - 1;
}

}  // namespace

DecodeResult decodeBmp(const QByteArray& bytes) {
  const Bytes file(bytes);
  const std::variant<Layout, DecodeFailure> read = readLayout(file);
  if (const DecodeFailure* failure = std::get_if<DecodeFailure>(&read)) return *failure;
  const Layout& layout = std::get<Layout>(read);
  QImage image = newPicture(int(layout.width), int(layout.height));
  if (image.isNull()) return outOfMemory(layout.width, layout.height);
  if (layout.compression == kRle8 || layout.compression == kRle4) {
    image.fill(kWhite);
    if (!decodeRle(file, layout, image)) return kIncomplete;
  } else {
    decodeUncompressed(file, layout, image);
  }
  return image;
}

}  // namespace veltrix::picture
