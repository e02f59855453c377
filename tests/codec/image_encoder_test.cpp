// Picture encoding: every format's bytes read back by our own decoder and by Qt's, pixel by pixel,
// the resolution fields parsed out of the bytes, the GIF palette and the JPEG quality scale.
#include "codec/image_encoder.h"

#include <gtest/gtest.h>

#include <QSize>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "codec/image_codec.h"

namespace veltrix {
namespace {

const char* formatName(EncodedFormat format) {
  switch (format) {
    case EncodedFormat::Bmp:
      return "Bmp";
    case EncodedFormat::Gif:
      return "Gif";
    case EncodedFormat::Png:
      return "Png";
    case EncodedFormat::Jpeg:
      return "Jpeg";
  }
  return "?";
}

QRgb& pixelAt(QImage& image, int x, int y) {
  return reinterpret_cast<QRgb*>(image.scanLine(y))[x];
}

QRgb pixelAt(const QImage& image, int x, int y) {
  return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
}

// Every pixel an independent random colour: the worst case for every codec.
QImage noise(QSize size, unsigned seed = 7) {
  QImage image(size, QImage::Format_RGB32);
  std::mt19937 random(seed);
  std::uniform_int_distribution<QRgb> colour(0, 0xffffff);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) pixelAt(image, x, y) = 0xff000000 | colour(random);
  return image;
}

// Random pixels drawn from a fixed set of colours.
QImage fewColours(QSize size, int colours) {
  std::vector<QRgb> palette;
  std::mt19937 random(11);
  std::uniform_int_distribution<QRgb> colour(0, 0xffffff);
  while (palette.size() < std::size_t(colours)) {
    const QRgb candidate = 0xff000000 | colour(random);
    if (std::find(palette.begin(), palette.end(), candidate) == palette.end())
      palette.push_back(candidate);
  }
  QImage image(size, QImage::Format_RGB32);
  std::uniform_int_distribution<int> pick(0, colours - 1);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      pixelAt(image, x, y) = palette[std::size_t(pick(random))];
  // Every colour present at least once, whatever the dice said.
  for (int i = 0; i < colours && i < size.width() * size.height(); ++i)
    pixelAt(image, i % size.width(), i / size.width()) = palette[std::size_t(i)];
  return image;
}

// A head-shot-like picture: a blue-grey backdrop shading downwards, a skin-toned ellipse and,
// when asked, a little sensor noise.
QImage portrait(QSize size, int noiseAmplitude) {
  QImage image(size, QImage::Format_RGB32);
  std::mt19937 random(5);
  std::uniform_int_distribution<int> grain(-noiseAmplitude, noiseAmplitude);
  const double cx = size.width() / 2.0;
  const double cy = size.height() * 0.45;
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) {
      const double dx = (x - cx) / (size.width() * 0.3);
      const double dy = (y - cy) / (size.height() * 0.3);
      const double inside = std::clamp(1.5 - 1.5 * (dx * dx + dy * dy), 0.0, 1.0);
      const double shade = double(y) / size.height();
      const double r = (1 - inside) * (120 + 40 * shade) + inside * (225 - 30 * dy);
      const double g = (1 - inside) * (150 + 30 * shade) + inside * (180 - 30 * dy);
      const double b = (1 - inside) * (200 - 20 * shade) + inside * (150 - 20 * dy);
      const int n = noiseAmplitude ? grain(random) : 0;
      pixelAt(image, x, y) = qRgb(std::clamp(int(r) + n, 0, 255), std::clamp(int(g) + n, 0, 255),
                                  std::clamp(int(b) + n, 0, 255));
    }
  }
  return image;
}

std::size_t colourCount(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours.insert(pixelAt(image, x, y));
  return colours.size();
}

// Mean absolute difference per channel.
double meanError(const QImage& a, const QImage& b) {
  double total = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = pixelAt(a, x, y);
      const QRgb q = pixelAt(b, x, y);
      total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
               std::abs(qBlue(p) - qBlue(q));
    }
  }
  return total / (3.0 * a.width() * a.height());
}

double luma(QRgb pixel) {
  return 0.299 * qRed(pixel) + 0.587 * qGreen(pixel) + 0.114 * qBlue(pixel);
}

double meanLumaError(const QImage& a, const QImage& b) {
  double total = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      total += std::abs(luma(pixelAt(a, x, y)) - luma(pixelAt(b, x, y)));
  return total / (double(a.width()) * a.height());
}

double psnr(const QImage& a, const QImage& b) {
  double squared = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = pixelAt(a, x, y);
      const QRgb q = pixelAt(b, x, y);
      const int dr = qRed(p) - qRed(q), dg = qGreen(p) - qGreen(q), db = qBlue(p) - qBlue(q);
      squared += dr * dr + dg * dg + db * db;
    }
  }
  const double mse = squared / (3.0 * a.width() * a.height());
  return mse == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mse);
}

// Empty when both pictures hold the same opaque colours, else the first pixel that differs.
std::string firstDifference(const QImage& actual, const QImage& expected) {
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      const QRgb a = pixelAt(actual, x, y);
      const QRgb e = pixelAt(expected, x, y);
      if ((a | 0xff000000) != (e | 0xff000000))
        return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
               std::to_string(a & 0xffffff) + ", expected " + std::to_string(e & 0xffffff);
    }
  }
  return {};
}

// The bytes as read by our decoder and by Qt's, both as RGB32.
std::vector<QImage> readBack(const QByteArray& bytes) {
  std::vector<QImage> pictures;
  const std::optional<QImage> ours = decodePicture(bytes);
  EXPECT_TRUE(ours.has_value()) << "our decoder rejects the bytes";
  if (ours) pictures.push_back(*ours);
  const QImage qt = QImage::fromData(bytes);
  EXPECT_FALSE(qt.isNull()) << "Qt rejects the bytes";
  if (!qt.isNull()) pictures.push_back(qt.convertToFormat(QImage::Format_RGB32));
  return pictures;
}

std::uint32_t bigEndian(const QByteArray& bytes, qsizetype at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | std::uint8_t(bytes[at + i]);
  return value;
}

std::uint32_t littleEndian(const QByteArray& bytes, qsizetype at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | std::uint8_t(bytes[at + i]);
  return value;
}

// The data of the first PNG chunk of that type, or nothing.
std::optional<QByteArray> pngChunk(const QByteArray& png, const char* type) {
  for (qsizetype at = 8; at + 12 <= png.size();) {
    const qsizetype length = bigEndian(png, at, 4);
    if (png.mid(at + 4, 4) == type) return png.mid(at + 8, length);
    at += 12 + length;
  }
  return std::nullopt;
}

// The resolution a file declares, as (unit, x, y) in the units the format uses.
struct Density {
  std::uint32_t unit;
  std::uint32_t x;
  std::uint32_t y;
  bool operator==(const Density&) const = default;
};

void PrintTo(const Density& d, std::ostream* os) {
  *os << "unit " << d.unit << ", " << d.x << " x " << d.y;
}

std::optional<Density> jfifDensity(const QByteArray& jpeg) {
  // SOI, then APP0 with "JFIF\0", version, unit and the two densities.
  if (jpeg.size() < 18 || bigEndian(jpeg, 0, 4) != 0xffd8ffe0 ||
      jpeg.mid(6, 5) != QByteArray("JFIF", 5))
    return std::nullopt;
  return Density{bigEndian(jpeg, 13, 1), bigEndian(jpeg, 14, 2), bigEndian(jpeg, 16, 2)};
}

std::optional<Density> pngDensity(const QByteArray& png) {
  const std::optional<QByteArray> phys = pngChunk(png, "pHYs");
  if (!phys || phys->size() != 9) return std::nullopt;
  return Density{bigEndian(*phys, 8, 1), bigEndian(*phys, 0, 4), bigEndian(*phys, 4, 4)};
}

std::optional<Density> bmpDensity(const QByteArray& bmp) {
  if (bmp.size() < 54) return std::nullopt;
  return Density{1, littleEndian(bmp, 38, 4), littleEndian(bmp, 42, 4)};
}

// ---------------------------------------------------------------------------------------------

struct RoundTripCase {
  EncodedFormat format;
  QSize size;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
  *os << formatName(c.format) << " " << c.size.width() << "x" << c.size.height();
}

class EncodedNoise : public testing::TestWithParam<RoundTripCase> {};

TEST_P(EncodedNoise, ReadsBackAtTheSameSizeWithTheFormatsFidelity) {
  const RoundTripCase& c = GetParam();
  const QImage source = noise(c.size);
  const QByteArray bytes = encodeImage(source, c.format, 96);
  ASSERT_FALSE(bytes.isEmpty());
  for (const QImage& decoded : readBack(bytes)) {
    ASSERT_EQ(decoded.size(), c.size);
    switch (c.format) {
      case EncodedFormat::Bmp:
      case EncodedFormat::Png:
        EXPECT_EQ(firstDifference(decoded, source), "");
        break;
      case EncodedFormat::Gif:
        if (colourCount(source) <= 256)
          EXPECT_EQ(firstDifference(decoded, source), "");
        else  // 256 of 150 000 random colours: each palette cell is some 40 levels wide.
          EXPECT_LT(meanError(decoded, source), 11.5);
        break;
      case EncodedFormat::Jpeg:
        // Random colours do not survive chroma averaged over 2 x 2 pixels, but brightness is
        // kept per pixel.
        EXPECT_LT(meanLumaError(decoded, source), 1.5);
        break;
    }
  }
}

std::vector<RoundTripCase> roundTripCases() {
  std::vector<RoundTripCase> cases;
  for (EncodedFormat format :
       {EncodedFormat::Bmp, EncodedFormat::Gif, EncodedFormat::Png, EncodedFormat::Jpeg})
    for (QSize size : {QSize(1, 1), QSize(7, 3), QSize(358, 441)}) cases.push_back({format, size});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(FormatsBySizes, EncodedNoise, testing::ValuesIn(roundTripCases()),
                         [](const auto& info) {
                           return std::string(formatName(info.param.format)) + "_" +
                                  std::to_string(info.param.size.width()) + "x" +
                                  std::to_string(info.param.size.height());
                         });

// ---------------------------------------------------------------------------------------------

struct DensityCase {
  EncodedFormat format;
  int dpi;
};

void PrintTo(const DensityCase& c, std::ostream* os) {
  *os << formatName(c.format) << " " << c.dpi << " dpi";
}

class EncodedDensity : public testing::TestWithParam<DensityCase> {};

TEST_P(EncodedDensity, IsWrittenWhereTheFormatKeepsIt) {
  const DensityCase& c = GetParam();
  const QByteArray bytes = encodeImage(noise({9, 5}), c.format, c.dpi);
  const auto perMetre = std::uint32_t(std::lround(c.dpi / 0.0254));
  switch (c.format) {
    case EncodedFormat::Jpeg:
      EXPECT_EQ(jfifDensity(bytes), (Density{1, std::uint32_t(c.dpi), std::uint32_t(c.dpi)}));
      break;
    case EncodedFormat::Png:
      EXPECT_EQ(pngDensity(bytes), (Density{1, perMetre, perMetre}));
      break;
    default:
      EXPECT_EQ(bmpDensity(bytes), (Density{1, perMetre, perMetre}));
      break;
  }
  // Qt reads the same resolution back, to within its own rounding.
  const QImage qt = QImage::fromData(bytes);
  EXPECT_NEAR(qt.dotsPerMeterX(), c.dpi / 0.0254, 1.0);
  EXPECT_NEAR(qt.dotsPerMeterY(), c.dpi / 0.0254, 1.0);
}

std::vector<DensityCase> densityCases() {
  std::vector<DensityCase> cases;
  for (EncodedFormat format : {EncodedFormat::Bmp, EncodedFormat::Png, EncodedFormat::Jpeg})
    for (int dpi : {72, 160, 350}) cases.push_back({format, dpi});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(FormatsByDpi, EncodedDensity, testing::ValuesIn(densityCases()),
                         [](const auto& info) {
                           return std::string(formatName(info.param.format)) + "_" +
                                  std::to_string(info.param.dpi);
                         });

// ---------------------------------------------------------------------------------------------

TEST(BmpEncoding, HeaderDescribesA24BitBottomUpFileWithPaddedRows) {
  QImage image(7, 3, QImage::Format_RGB32);
  image.fill(qRgb(1, 2, 3));
  pixelAt(image, 0, 0) = qRgb(10, 20, 30);  // top left, so the last row in the file
  const QByteArray bmp = encodeImage(image, EncodedFormat::Bmp, 96);
  constexpr int kStride = 24;  // 21 bytes of pixels padded to a multiple of four
  ASSERT_EQ(bmp.size(), 54 + kStride * 3);
  EXPECT_EQ(bmp.left(2), "BM");
  EXPECT_EQ(littleEndian(bmp, 2, 4), std::uint32_t(bmp.size()));  // bfSize
  EXPECT_EQ(littleEndian(bmp, 10, 4), 54u);                       // pixel offset
  EXPECT_EQ(littleEndian(bmp, 14, 4), 40u);                       // BITMAPINFOHEADER
  EXPECT_EQ(littleEndian(bmp, 18, 4), 7u);
  EXPECT_EQ(littleEndian(bmp, 22, 4), 3u);  // positive height: bottom-up
  EXPECT_EQ(littleEndian(bmp, 26, 2), 1u);
  EXPECT_EQ(littleEndian(bmp, 28, 2), 24u);
  EXPECT_EQ(littleEndian(bmp, 30, 4), 0u);  // BI_RGB
  EXPECT_EQ(littleEndian(bmp, 34, 4), std::uint32_t(kStride * 3));
  EXPECT_EQ(bmp.mid(54 + 2 * kStride, 3), QByteArray::fromHex("1e140a"));  // B, G, R
  EXPECT_EQ(bmp.mid(54 + 21, 3), QByteArray(3, '\0'));
}

TEST(PngEncoding, IsEightBitRgbWithoutAlpha) {
  const std::optional<QByteArray> header =
      pngChunk(encodeImage(noise({5, 4}), EncodedFormat::Png, 96), "IHDR");
  ASSERT_TRUE(header.has_value());
  EXPECT_EQ(bigEndian(*header, 0, 4), 5u);
  EXPECT_EQ(bigEndian(*header, 4, 4), 4u);
  EXPECT_EQ(bigEndian(*header, 8, 1), 8u);  // bit depth
  EXPECT_EQ(bigEndian(*header, 9, 1), 2u);  // truecolour
}

TEST(GifEncoding, IsGif89aWithoutAResolutionButWithThePicturesOwnColours) {
  for (int colours : {1, 2, 3, 255, 256}) {
    SCOPED_TRACE(colours);
    const QImage source = fewColours({64, 48}, colours);
    ASSERT_EQ(colourCount(source), std::size_t(colours));
    const QByteArray gif = encodeImage(source, EncodedFormat::Gif, 300);
    EXPECT_EQ(gif.left(6), "GIF89a");
    for (const QImage& decoded : readBack(gif)) EXPECT_EQ(firstDifference(decoded, source), "");
  }
}

TEST(GifEncoding, PhotoWithThousandsOfColoursStaysClose) {
  const QImage source = portrait({358, 441}, 3);
  ASSERT_GT(colourCount(source), 1000u);
  for (const QImage& decoded : readBack(encodeImage(source, EncodedFormat::Gif, 96))) {
    EXPECT_LT(meanError(decoded, source), 1.0);
    EXPECT_GT(psnr(decoded, source), 45.0);
  }
}

TEST(GifEncoding, NarrowRangeOfColoursGetsAPaletteFromThatRange) {
  // 4096 skin tones within 16 levels of each other: a fixed palette would miss them all.
  QImage source(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      pixelAt(source, x, y) = qRgb(200 + x / 4, 160 + y / 4, 140 + (x + y) % 16);
  for (const QImage& decoded : readBack(encodeImage(source, EncodedFormat::Gif, 96)))
    EXPECT_LT(meanError(decoded, source), 1.0);
}

TEST(JpegEncoding, SmoothPictureAtQuality90IsAbove30Db) {
  const QImage source = portrait({358, 441}, 0);
  const QByteArray jpeg = encodeImage(source, EncodedFormat::Jpeg, 96, 90);
  for (const QImage& decoded : readBack(jpeg)) EXPECT_GT(psnr(decoded, source), 30.0);
}

TEST(JpegEncoding, IsBaselineAndNeverProgressive) {
  const QByteArray jpeg = encodeImage(portrait({40, 30}, 2), EncodedFormat::Jpeg, 96, 75);
  EXPECT_TRUE(jpeg.contains(QByteArray::fromHex("ffc0")));
  EXPECT_FALSE(jpeg.contains(QByteArray::fromHex("ffc2")));
}

TEST(JpegEncoding, HigherQualityGivesMoreBytes) {
  const QImage source = noise({358, 441});
  qsizetype previous = 0;
  for (int quality : {0, 10, 30, 50, 70, 85, 95, 100}) {
    const qsizetype size = encodeImage(source, EncodedFormat::Jpeg, 96, quality).size();
    EXPECT_GT(size, previous) << "quality " << quality;
    previous = size;
  }
}

TEST(JpegEncoding, QualityOutsideTheScaleIsClamped) {
  const QImage source = portrait({60, 80}, 4);
  EXPECT_EQ(encodeImage(source, EncodedFormat::Jpeg, 96, -20),
            encodeImage(source, EncodedFormat::Jpeg, 96, 0));
  EXPECT_EQ(encodeImage(source, EncodedFormat::Jpeg, 96, 250),
            encodeImage(source, EncodedFormat::Jpeg, 96, 100));
  EXPECT_NE(encodeImage(source, EncodedFormat::Jpeg, 96, 100),
            encodeImage(source, EncodedFormat::Jpeg, 96, 99));
}

TEST(ImageEncoding, OtherPixelFormatsAreEncodedAsTheirRgb32Picture) {
  const QImage source = noise({17, 9});
  for (EncodedFormat format : {EncodedFormat::Bmp, EncodedFormat::Png, EncodedFormat::Gif}) {
    SCOPED_TRACE(formatName(format));
    EXPECT_EQ(encodeImage(source.convertToFormat(QImage::Format_RGB888), format, 96),
              encodeImage(source, format, 96));
  }
}

TEST(ImageEncoding, NullOrEmptyPictureGivesNoBytes) {
  for (EncodedFormat format :
       {EncodedFormat::Bmp, EncodedFormat::Gif, EncodedFormat::Png, EncodedFormat::Jpeg}) {
    SCOPED_TRACE(formatName(format));
    EXPECT_TRUE(encodeImage(QImage(), format, 96).isEmpty());
    EXPECT_TRUE(encodeImage(QImage(0, 5, QImage::Format_RGB32), format, 96).isEmpty());
    EXPECT_TRUE(encodeImage(QImage(5, 0, QImage::Format_RGB32), format, 96).isEmpty());
  }
}

}  // namespace
}  // namespace veltrix
