// A 24-megapixel crop saved as PNG through the save path of the crop buttons, two known pictures
// in turn over the same file: after a kill the file holds one of them whole, pixel for pixel.
#include <QDir>
#include <cstdio>

#include "codec/image_codec.h"
#include "kill/kill_cases.h"
#include "kill/kill_support.h"
#include "save/crop_save.h"

namespace veltrix::kill {
namespace {

constexpr QSize kCrop(6000, 4000);

// Shading with a little noise, so that every pixel counts and the file is tens of megabytes.
QImage knownPicture(quint32 which) {
  QImage picture(kCrop, QImage::Format_RGB32);
  quint32 state = 2463534242u + which;
  for (int y = 0; y < kCrop.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < kCrop.width(); ++x) {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      const int grain = static_cast<int>(state & 3);
      row[x] =
          qRgb((x / 24 + grain) & 255, (y / 16 + grain) & 255, (which == 0 ? 60 : 190) + grain);
    }
  }
  return picture;
}

QString cropPath(const QString& home) {
  return home + QStringLiteral("/out/crop.png");
}

bool save(const QImage& picture, const QString& home) {
  return saveCropAs({picture, picture.rect(), 500, 160}, cropPath(home)).saved();
}

int setup(const QString& home) {
  prepareHome(home);
  return save(knownPicture(0), home) ? 0 : damaged(QStringLiteral("the first crop was not saved"));
}

int run(const QString& home, quint32 seed) {
  const QImage pictures[] = {knownPicture(0), knownPicture(1)};
  markReady(home);
  for (quint32 round = seed;; ++round) {
    if (!save(pictures[round % 2], home)) return damaged(QStringLiteral("a crop was not saved"));
  }
}

int check(const QString& home) {
  const std::optional<int> copies = startsAndReads(home);
  if (!copies) return damaged(QStringLiteral("the program did not start soundly"));
  const int strays =
      *copies + takeStrays(home + QStringLiteral("/out"), {QStringLiteral("crop\\.png")});
  const std::optional<QImage> saved = decodePictureFile(cropPath(home));
  if (!saved) return damaged(QStringLiteral("the crop does not decode"));
  for (quint32 which : {0u, 1u}) {
    if (*saved == knownPicture(which))
      return std::printf("sound: picture %u whole, %d strays\n", which, strays), 0;
  }
  return damaged(QStringLiteral("the crop holds neither picture"));
}

}  // namespace

KillCase pictureCase() {
  return {"picture", 8.0, setup, run, check};
}

}  // namespace veltrix::kill
