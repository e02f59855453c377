// GIF through giflib: the first frame on a white logical screen. Records are read one by one
// rather than with DGifSlurp so a frame's size is checked before any of it is allocated, and
// only one row of indices is held at a time.
#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "codec/picture_decoders.h"

namespace veltrix::picture {

namespace {

struct MemoryInput {
  const QByteArray& bytes;
  qsizetype position = 0;
  bool ranOut = false;  // giflib asked for more than was left
};

int readMemory(GifFileType* gif, GifByteType* buffer, int wanted) {
  auto* input = static_cast<MemoryInput*>(gif->UserData);
  const qsizetype count =
      std::max<qsizetype>(0, std::min<qsizetype>(wanted, input->bytes.size() - input->position));
  std::memcpy(buffer, input->bytes.constData() + input->position, size_t(count));
  input->position += count;
  if (count < wanted) input->ranOut = true;
  return int(count);
}

struct GifCloser {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using GifFile = std::unique_ptr<GifFileType, GifCloser>;

// Indices without a colour, and the transparent one, show the white background.
std::array<QRgb, 256> paletteOf(const ColorMapObject& map, int transparentIndex) {
  std::array<QRgb, 256> palette;
  palette.fill(kWhite);
  const int count = std::clamp(map.ColorCount, 0, 256);
  for (int i = 0; i < count; ++i) {
    const GifColorType& colour = map.Colors[i];
    palette[size_t(i)] = qRgb(colour.Red, colour.Green, colour.Blue);
  }
  if (transparentIndex >= 0 && transparentIndex < 256) palette[size_t(transparentIndex)] = kWhite;
  return palette;
}

std::vector<int> rowOrder(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(size_t(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  constexpr int kStart[] = {0, 4, 2, 1};
  constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
  }
  return order;
}

DecodeResult drawFrame(GifFileType* gif, int transparentIndex) {
  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
  if (!map || frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0)
    return kDamaged;
  // A first frame that sticks out of the logical screen widens it, as browsers do, rather
  // than losing part of the picture.
  const std::int64_t width =
      std::max<std::int64_t>(gif->SWidth, std::int64_t(frame.Left) + frame.Width);
  const std::int64_t height =
      std::max<std::int64_t>(gif->SHeight, std::int64_t(frame.Top) + frame.Height);
  if (const std::optional<DecodeFailure> failure = sizeFailure(width, height)) return *failure;

  const std::array<QRgb, 256> palette = paletteOf(*map, transparentIndex);
  QImage image = newPicture(int(width), int(height));
  if (image.isNull()) return outOfMemory(width, height);
  image.fill(kWhite);
  std::vector<GifPixelType> indices(size_t(frame.Width));
  for (const int row : rowOrder(frame.Height, frame.Interlace)) {
    if (DGifGetLine(gif, indices.data(), frame.Width) == GIF_ERROR)
      return static_cast<const MemoryInput*>(gif->UserData)->ranOut ? kIncomplete : kDamaged;
    QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(frame.Top + row)) + frame.Left;
    for (const GifPixelType index : indices) *out++ = palette[index];
  }
  return image;
}

}  // namespace

DecodeResult decodeGif(const QByteArray& bytes) {
  MemoryInput input{bytes};
  GifFile gif(DGifOpen(&input, readMemory, nullptr));
  if (!gif) return kDamaged;
  // A screen of no size is widened by its first frame.
  if (const std::optional<DecodeFailure> failure =
          sizeFailure(std::max(gif->SWidth, 1), std::max(gif->SHeight, 1)))
    return *failure;

  // The graphic control extension that comes before a frame names its transparent index.
  int transparentIndex = NO_TRANSPARENT_COLOR;
  for (;;) {
    GifRecordType record;
    if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) return kDamaged;
    if (record == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return kDamaged;
      return drawFrame(gif.get(), transparentIndex);
    }
    if (record != EXTENSION_RECORD_TYPE) return kDamaged;
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) return kDamaged;
    if (code == GRAPHICS_EXT_FUNC_CODE && block) {
      GraphicsControlBlock control;
      if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
        transparentIndex = control.TransparentColor;
    }
    while (block) {
      if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) return kDamaged;
    }
  }
}

}  // namespace veltrix::picture
