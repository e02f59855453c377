// Fuzzes the picture taken from the clipboard. The first byte picks what the clipboard offers:
// the rest of the input as the bytes of one image/* type, or a Qt image of any pixel format
// made of the rest, the form some platforms offer.
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <algorithm>
#include <array>
#include <cstdlib>

#include "codec/image_codec.h"
#include "fuzz_support.h"
#include "qt_input.h"
#include "view/clipboard_picture.h"

namespace {

constexpr std::array kTypes{"image/png", "image/bmp", "image/jpeg", "image/gif"};

// A picture of up to 64 x 64 pixels of the format the input's first byte picks, its colour table
// and pixels taken from the rest as far as it goes.
QImage qtImage(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return {};
  const auto format = static_cast<QImage::Format>(data[0] % QImage::NImageFormats);
  QImage image(data[1] % 65, data[2] % 65, format);
  if (image.isNull()) return image;
  data += 3;
  size -= 3;
  // Qt's own images always have a whole colour table; missing entries are black.
  if (image.format() <= QImage::Format_Indexed8) {
    QList<QRgb> table(1 << image.depth(), qRgb(0, 0, 0));
    for (QRgb& entry : table) {
      if (size < 4) break;
      entry = qRgba(data[0], data[1], data[2], data[3]);
      data += 4;
      size -= 4;
    }
    image.setColorTable(table);
  }
  for (int y = 0; y < image.height(); ++y) {
    const auto line = static_cast<std::size_t>(image.bytesPerLine());
    const std::size_t taken = std::min(line, size);
    std::copy_n(data, taken, image.scanLine(y));
    std::fill_n(image.scanLine(y) + taken, line - taken, 0);
    data += taken;
    size -= taken;
  }
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Lives as long as the process: clipboard data is read with an application running.
  new QGuiApplication(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix;
  if (size == 0) return 0;
  QMimeData offered;
  const std::size_t choice = data[0] % (kTypes.size() + 1);
  if (choice < kTypes.size()) {
    offered.setData(QString::fromLatin1(kTypes[choice]), fuzz::bytesOf(data + 1, size - 1));
  } else {
    offered.setImageData(qtImage(data + 1, size - 1));
  }
  const std::optional<QImage> picture = clipboardPicture(&offered);
  if (picture) {
    fuzz::check(!picture->isNull() && picture->format() == QImage::Format_RGB32,
                "an RGB32 picture");
  }
  return 0;
}
