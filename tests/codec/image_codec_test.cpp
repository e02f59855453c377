// Picture decoding from real files in tests/data (made by tests/data/make-fixtures): every format
// variant checked pixel by pixel, EXIF orientation, and damaged or hostile files.
#include "codec/image_codec.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <zlib.h>

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTemporaryDir>
#include <QTransform>
#include <QtEndian>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "address_space.h"
#include "codec/image_encoder.h"
#include "test_files.h"
#include "test_pictures.h"

namespace veltrix {
namespace {

using test::caseName;
using test::readBytes;
using test::writeBytes;

constexpr QRgb kRed = qRgb(200, 30, 40);
constexpr QRgb kGreen = qRgb(20, 180, 60);
constexpr QRgb kBlue = qRgb(40, 60, 220);
constexpr QRgb kYellow = qRgb(250, 210, 20);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr std::array<QRgb, 4> kQuadrants{kRed, kGreen, kBlue, kYellow};

constexpr QRgb grey(int level) {
  return qRgb(level, level, level);
}

QString fixturePath(const char* name) {
  return QStringLiteral(VELTRIX_TEST_DATA "/") + QString::fromUtf8(name);
}

QByteArray fixture(const char* name) {
  const QByteArray bytes = readBytes(fixturePath(name));
  EXPECT_FALSE(bytes.isEmpty()) << "missing fixture " << name;
  return bytes;
}

QByteArray patched(QByteArray bytes, qsizetype at, const char* hex) {
  const QByteArray with = QByteArray::fromHex(hex);
  bytes.replace(at, with.size(), with);
  return bytes;
}

// The stored pixel itself, so an alpha byte other than 0xff shows up too.
QRgb rawPixel(const QImage& image, int x, int y) {
  return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
}

bool near(QRgb actual, QRgb expected, int tolerance) {
  return qAlpha(actual) == 255 && std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
         std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
         std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

std::string describe(QRgb pixel) {
  return QStringLiteral("#%1").arg(pixel, 8, 16, QLatin1Char('0')).toStdString();
}

// Empty when every checked pixel is within tolerance, else the first one that is not.
template <typename Expected, typename Checked>
std::string firstMismatch(const QImage& image, Expected expected, Checked checked, int tolerance) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!checked(x, y)) continue;
      const QRgb actual = rawPixel(image, x, y);
      if (!near(actual, expected(x, y), tolerance)) {
        return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
               describe(actual) + ", expected " + describe(expected(x, y));
      }
    }
  }
  return {};
}

// ---------------------------------------------------------------------------------------------

struct SniffCase {
  const char* name;
  const char* hex;
  PictureFormat format;
};

class SniffPictureFormat : public testing::TestWithParam<SniffCase> {};

TEST_P(SniffPictureFormat, TellsTheFormatFromTheFirstBytes) {
  EXPECT_EQ(sniffPictureFormat(QByteArray::fromHex(GetParam().hex)), GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Heads, SniffPictureFormat,
    testing::Values(SniffCase{"Empty", "", PictureFormat::Unknown},
                    SniffCase{"Bmp", "424d3e00", PictureFormat::Bmp},
                    SniffCase{"BmpMagicAlone", "424d", PictureFormat::Bmp},
                    SniffCase{"HalfBmpMagic", "42", PictureFormat::Unknown},
                    SniffCase{"LowerCaseBm", "626d3e00", PictureFormat::Unknown},
                    SniffCase{"Jpeg", "ffd8ffe000104a46", PictureFormat::Jpeg},
                    SniffCase{"JpegSoiWithoutMarker", "ffd8", PictureFormat::Unknown},
                    SniffCase{"JpegSoiThenZero", "ffd800e0", PictureFormat::Unknown},
                    SniffCase{"Gif87a", "474946383761", PictureFormat::Gif},
                    SniffCase{"Gif89a", "4749463839610e00", PictureFormat::Gif},
                    SniffCase{"Gif88a", "474946383861", PictureFormat::Unknown},
                    SniffCase{"GifCutShort", "47494638", PictureFormat::Unknown},
                    SniffCase{"Png", "89504e470d0a1a0a", PictureFormat::Png},
                    SniffCase{"PngSevenBytes", "89504e470d0a1a", PictureFormat::Unknown},
                    SniffCase{"PngLineEndsConverted", "89504e470a1a0a00", PictureFormat::Unknown},
                    SniffCase{"MagicNotAtStart", "00424d", PictureFormat::Unknown}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------

// The lossless fixtures are 14 x 10 pictures of four quadrants, the left ones 7 wide and the
// top ones 5 high. A GIF frame may sit at an offset on a larger white screen.
struct LosslessCase {
  const char* file;
  std::array<QRgb, 4> quadrants;  // top-left, top-right, bottom-left, bottom-right
  QRect blank = {};               // never drawn by the file, so white
  QSize canvas = {14, 10};
  QPoint origin = {0, 0};
};

void PrintTo(const LosslessCase& c, std::ostream* os) {
  *os << c.file;
}

QRgb expectedPixel(const LosslessCase& c, int x, int y) {
  const QRect area(c.origin, QSize(14, 10));
  if (!area.contains(x, y) || c.blank.contains(x, y)) return kWhite;
  const bool right = x - area.left() >= 7;
  const bool bottom = y - area.top() >= 5;
  return c.quadrants[(bottom ? 2 : 0) + (right ? 1 : 0)];
}

class LosslessPicture : public testing::TestWithParam<LosslessCase> {};

TEST_P(LosslessPicture, DecodesEveryPixelExactly) {
  const LosslessCase& c = GetParam();
  const std::optional<QImage> image = decodePictureFile(fixturePath(c.file));
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->format(), QImage::Format_RGB32);
  ASSERT_EQ(image->size(), c.canvas);
  EXPECT_EQ(firstMismatch(
                *image, [&](int x, int y) { return expectedPixel(c, x, y); },
                [](int, int) { return true; }, 0),
            "");
}

// 16-bit channels: five-bit 31 and 16 become 255 and 132, six-bit 32 becomes 130.
constexpr QRgb kHalfGreen555 = qRgb(0, 132, 0);
constexpr QRgb kHalfGreen565 = qRgb(0, 130, 0);
constexpr QRgb kLightYellow = qRgb(255, 255, 132);
// Blue at alpha 128 over white; grey 100 at alpha 129, ImageMagick's rounding in the grey file.
constexpr QRgb kPaleBlue = qRgb(147, 157, 237);
constexpr QRgb kPaleGrey = grey(177);

INSTANTIATE_TEST_SUITE_P(
    Png, LosslessPicture,
    testing::Values(LosslessCase{"png-grey1.png", {grey(0), grey(255), grey(255), grey(0)}},
                    LosslessCase{"png-grey2.png", {grey(0), grey(85), grey(170), grey(255)}},
                    LosslessCase{"png-grey4.png", {grey(17), grey(102), grey(187), grey(255)}},
                    LosslessCase{"png-grey8.png", {grey(10), grey(90), grey(160), grey(240)}},
                    LosslessCase{"png-grey16.png", {grey(16), grey(128), grey(192), grey(240)}},
                    LosslessCase{"png-grey-alpha.png", {grey(0), kWhite, kPaleGrey, grey(200)}},
                    LosslessCase{"png-rgb8.png", kQuadrants},
                    LosslessCase{"png-rgb16.png", kQuadrants},
                    LosslessCase{"png-rgba.png", {kRed, kWhite, kPaleBlue, kYellow}},
                    LosslessCase{"png-palette.png", kQuadrants},
                    LosslessCase{"png-palette-trns.png", {kRed, kWhite, kBlue, kYellow}},
                    LosslessCase{"png-interlaced.png", kQuadrants}),
    [](const auto& info) { return caseName(info.param.file); });

INSTANTIATE_TEST_SUITE_P(
    Gif, LosslessPicture,
    testing::Values(LosslessCase{"gif87a.gif", kQuadrants},
                    LosslessCase{"gif89a-transparent.gif", {kRed, kWhite, kBlue, kYellow}},
                    LosslessCase{"gif-local-table.gif", kQuadrants, {}, {20, 14}, {3, 2}}),
    [](const auto& info) { return caseName(info.param.file); });

INSTANTIATE_TEST_SUITE_P(
    Bmp, LosslessPicture,
    testing::Values(
        LosslessCase{"bmp-1bit.bmp", {kRed, kYellow, kYellow, kYellow}},
        LosslessCase{"bmp-4bit.bmp", kQuadrants}, LosslessCase{"bmp-8bit.bmp", kQuadrants},
        LosslessCase{"bmp-16bit-555.bmp",
                     {qRgb(255, 0, 0), kHalfGreen555, qRgb(0, 0, 255), kLightYellow}},
        LosslessCase{"bmp-16bit-565.bmp",
                     {qRgb(255, 0, 0), kHalfGreen565, qRgb(0, 0, 255), kLightYellow}},
        LosslessCase{"bmp-24bit.bmp", kQuadrants}, LosslessCase{"bmp-32bit.bmp", kQuadrants},
        LosslessCase{"bmp-32bit-bitfields.bmp", kQuadrants},
        LosslessCase{"bmp-v5-alpha.bmp", {kRed, kWhite, kPaleBlue, kYellow}},
        LosslessCase{"bmp-top-down.bmp", kQuadrants}, LosslessCase{"bmp-os2.bmp", kQuadrants},
        LosslessCase{"bmp-rle8.bmp", kQuadrants, QRect(7, 0, 7, 5)},
        LosslessCase{"bmp-rle4.bmp", kQuadrants, QRect(0, 9, 14, 1)}),
    [](const auto& info) { return caseName(info.param.file); });

// ---------------------------------------------------------------------------------------------

// The JPEG fixtures are 32 x 24 with 16 x 12 quadrants and no chroma subsampling. Block rows
// 0-7 and 16-23 hold one colour per 8 x 8 block; rows 8-15 straddle the middle and ring.
struct JpegCase {
  const char* file;
  std::array<QRgb, 4> quadrants;
  int tolerance;
};

void PrintTo(const JpegCase& c, std::ostream* os) {
  *os << c.file;
}

class JpegPicture : public testing::TestWithParam<JpegCase> {};

TEST_P(JpegPicture, DecodesCloseToTheColoursWritten) {
  const JpegCase& c = GetParam();
  const std::optional<QImage> image = decodePicture(fixture(c.file));
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->format(), QImage::Format_RGB32);
  ASSERT_EQ(image->size(), QSize(32, 24));
  EXPECT_EQ(
      firstMismatch(
          *image, [&](int x, int y) { return c.quadrants[(y >= 12 ? 2 : 0) + (x >= 16 ? 1 : 0)]; },
          [](int, int y) { return y < 8 || y >= 16; }, c.tolerance),
      "");
}

INSTANTIATE_TEST_SUITE_P(
    Jpeg, JpegPicture,
    testing::Values(JpegCase{"jpeg-baseline.jpg", kQuadrants, 6},
                    JpegCase{"jpeg-progressive.jpg", kQuadrants, 6},
                    // Rec. 709 luma of each colour, as ImageMagick made the grey file.
                    JpegCase{"jpeg-grey.jpg", {grey(67), grey(137), grey(67), grey(205)}, 6},
                    JpegCase{"jpeg-cmyk.jpg", kQuadrants, 8}),
    [](const auto& info) { return caseName(info.param.file); });

// ---------------------------------------------------------------------------------------------

// Upright the EXIF fixtures are 32 x 16, blue with a red 8 x 8 top-left block; each file
// stores the pixels turned so that only its orientation tag makes them upright.
class ExifOrientation : public testing::TestWithParam<int> {};

TEST_P(ExifOrientation, TurnsThePictureUpright) {
  const std::string file = "exif-orientation-" + std::to_string(GetParam()) + ".jpg";
  const std::optional<QImage> image = decodePicture(fixture(file.c_str()));
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->format(), QImage::Format_RGB32);
  ASSERT_EQ(image->size(), QSize(32, 16));
  EXPECT_PRED3(near, rawPixel(*image, 3, 3), kRed, 8);
  EXPECT_PRED3(near, rawPixel(*image, 28, 3), kBlue, 8);
  EXPECT_PRED3(near, rawPixel(*image, 3, 12), kBlue, 8);
  EXPECT_PRED3(near, rawPixel(*image, 28, 12), kBlue, 8);
}

INSTANTIATE_TEST_SUITE_P(AllEight, ExifOrientation, testing::Range(1, 9));

// The upright picture, turned by Qt from the picture as stored.
QImage turnedByQt(const QImage& stored, int orientation) {
  const QTransform quarterTurn = QTransform().rotate(90);
  switch (orientation) {
    case 2:
      return stored.mirrored(true, false);
    case 3:
      return stored.mirrored(true, true);
    case 4:
      return stored.mirrored(false, true);
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

// Stored pictures of odd sizes and more rows than one band, in the ways a JPEG can be laid
// out: 4:2:0 baseline from our encoder, and the progressive, grey and CMYK fixtures.
struct StoredJpeg {
  const char* name;
  QByteArray (*bytes)();
};

void PrintTo(const StoredJpeg& c, std::ostream* os) {
  *os << c.name;
}

const StoredJpeg kStoredJpegs[] = {
    {"Baseline420", [] { return encodeImage(test::noise(37, 53), EncodedFormat::Jpeg, 96, 90); }},
    {"Progressive", [] { return fixture("jpeg-progressive.jpg"); }},
    {"Grey", [] { return fixture("jpeg-grey.jpg"); }},
    {"Cmyk", [] { return fixture("jpeg-cmyk.jpg"); }},
};

class ExifOrientationExactly : public testing::TestWithParam<std::tuple<StoredJpeg, int>> {};

TEST_P(ExifOrientationExactly, GivesEveryStoredPixelItsUprightPlace) {
  const auto& [stored, orientation] = GetParam();
  const QByteArray bytes = stored.bytes();
  const std::optional<QImage> asStored = decodePicture(bytes);
  ASSERT_TRUE(asStored.has_value());
  const std::optional<QImage> upright =
      decodePicture(test::withExifOrientation(bytes, orientation));
  ASSERT_TRUE(upright.has_value());
  EXPECT_EQ(*upright, turnedByQt(*asStored, orientation));
}

INSTANTIATE_TEST_SUITE_P(AllEight, ExifOrientationExactly,
                         testing::Combine(testing::ValuesIn(kStoredJpegs), testing::Range(1, 9)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_" +
                                  std::to_string(std::get<1>(info.param));
                         });

// exif-orientation-6.jpg stores the picture turned a quarter anticlockwise (16 x 32, red block
// bottom-left) in a big-endian EXIF segment right after SOI: TIFF header at 12, IFD0 at 20
// with Make at 22 and Orientation at 34.
struct BrokenExifCase {
  const char* name;
  std::vector<std::pair<qsizetype, const char*>> patches;
};

void PrintTo(const BrokenExifCase& c, std::ostream* os) {
  *os << c.name;
}

class BrokenExif : public testing::TestWithParam<BrokenExifCase> {};

TEST_P(BrokenExif, LeavesThePictureAsStored) {
  QByteArray bytes = fixture("exif-orientation-6.jpg");
  for (const auto& [at, hex] : GetParam().patches) bytes = patched(bytes, at, hex);
  const std::optional<QImage> image = decodePicture(bytes);
  ASSERT_TRUE(image.has_value());
  ASSERT_EQ(image->size(), QSize(16, 32));
  EXPECT_PRED3(near, rawPixel(*image, 3, 28), kRed, 8);
}

INSTANTIATE_TEST_SUITE_P(Segments, BrokenExif,
                         testing::Values(BrokenExifCase{"UnknownByteOrder", {{12, "4949"}}},
                                         BrokenExifCase{"NotTiff", {{14, "002b"}}},
                                         BrokenExifCase{"IfdPastTheEnd", {{16, "7ffffff0"}}},
                                         BrokenExifCase{"EntriesRunPastTheEnd",
                                                        {{20, "ffff"}, {34, "0113"}}},
                                         BrokenExifCase{"OrientationNine", {{42, "0009"}}},
                                         BrokenExifCase{"OrientationZero", {{42, "0000"}}},
                                         BrokenExifCase{"OrientationNotAShort", {{36, "0004"}}},
                                         BrokenExifCase{"NotExif", {{6, "45786966ff00"}}}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------

struct DamagedCase {
  const char* name;
  QByteArray (*bytes)();
};

void PrintTo(const DamagedCase& c, std::ostream* os) {
  *os << c.name;
}

class DamagedPicture : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedPicture, FailsWithoutAPicture) {
  EXPECT_FALSE(decodePicture(GetParam().bytes()).has_value());
}

QByteArray randomBytes() {
  std::mt19937 random(20240611);
  QByteArray bytes;
  for (int i = 0; i < 512; ++i) bytes.append(char(random()));
  return bytes;
}

QByteArray cut(const char* file, qsizetype keep) {
  return fixture(file).left(keep);
}

QByteArray half(const char* file) {
  const QByteArray bytes = fixture(file);
  return bytes.left(bytes.size() / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedPicture,
    testing::Values(
        DamagedCase{"ZeroBytes", [] { return QByteArray(); }},
        DamagedCase{"RandomBytes", randomBytes},
        DamagedCase{"PngSignatureAlone", [] { return cut("png-rgb8.png", 8); }},
        DamagedCase{"JpegMarkerAlone", [] { return cut("jpeg-baseline.jpg", 3); }},
        DamagedCase{"GifHeaderAlone", [] { return cut("gif87a.gif", 6); }},
        DamagedCase{"BmpMagicAlone", [] { return cut("bmp-24bit.bmp", 2); }},
        DamagedCase{"TruncatedPng", [] { return half("png-rgb8.png"); }},
        DamagedCase{"TruncatedInterlacedPng", [] { return half("png-interlaced.png"); }},
        DamagedCase{"TruncatedGif", [] { return half("gif87a.gif"); }},
        DamagedCase{"TruncatedGifFrame", [] { return half("gif-local-table.gif"); }},
        DamagedCase{"TruncatedBmp", [] { return half("bmp-24bit.bmp"); }},
        DamagedCase{"BmpCutInItsPalette", [] { return cut("bmp-8bit.bmp", 100); }},
        DamagedCase{"JpegCutInItsHeaders", [] { return cut("jpeg-baseline.jpg", 120); }},
        DamagedCase{"JpegWithoutAFrame", [] { return QByteArray::fromHex("ffd8ffd9"); }},
        DamagedCase{"PngIhdrChecksumWrong",
                    [] { return patched(fixture("png-rgb8.png"), 29, "00000000"); }},
        DamagedCase{"GifImageRecordMangled",
                    [] { return patched(fixture("gif-local-table.gif"), 25, "00"); }},
        DamagedCase{"BmpUnknownHeaderSize",
                    [] { return patched(fixture("bmp-24bit.bmp"), 14, "14000000"); }},
        DamagedCase{"BmpZeroWidth",
                    [] { return patched(fixture("bmp-24bit.bmp"), 18, "00000000"); }},
        DamagedCase{"BmpThreeBitsPerPixel",
                    [] { return patched(fixture("bmp-24bit.bmp"), 28, "0300"); }},
        DamagedCase{"BmpRleUpsideDown",
                    [] { return patched(fixture("bmp-rle8.bmp"), 22, "f6ffffff"); }},
        DamagedCase{"BmpPixelOffsetPastTheEnd", [] { return fixture("bmp-offset-past-end.bmp"); }},
        DamagedCase{"BmpClaims70000x10", [] { return fixture("bmp-rle8-70000x10.bmp"); }},
        DamagedCase{"BmpClaims20000x20000", [] { return fixture("bmp-rle8-20000x20000.bmp"); }},
        DamagedCase{"PngClaims70000x10", [] { return fixture("png-70000x10.png"); }},
        DamagedCase{"PngClaims20000x20000", [] { return fixture("png-20000x20000.png"); }},
        DamagedCase{"JpegClaims20000x20000", [] { return fixture("jpeg-20000x20000.jpg"); }},
        DamagedCase{"GifScreen20000x20000", [] { return fixture("gif-screen-20000x20000.gif"); }},
        DamagedCase{"GifFrame20000x20000", [] { return fixture("gif-frame-20000x20000.gif"); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Files cut at half, as an interrupted copy leaves them: the headers are whole and the cut falls
// in the picture's data, which the decoders would otherwise make up (libjpeg's grey, an RLE
// bitmap's white).
struct CutCase {
  const char* name;
  QByteArray (*whole)();
};

void PrintTo(const CutCase& c, std::ostream* os) {
  *os << c.name;
}

QByteArray noiseFile(EncodedFormat format) {
  return encodeImage(test::noise(48, 32), format, 96, 90);
}

class CutInItsData : public testing::TestWithParam<CutCase> {};

TEST_P(CutInItsData, IsIncompleteAndGivesNoPicture) {
  const QByteArray whole = GetParam().whole();
  ASSERT_TRUE(decodePicture(whole).has_value());
  const DecodeResult result = decodePictureOrFailure(whole.left(whole.size() / 2));
  const DecodeFailure* failure = std::get_if<DecodeFailure>(&result);
  ASSERT_NE(failure, nullptr);
  EXPECT_EQ(failure->error, DecodeError::Incomplete);
}

INSTANTIATE_TEST_SUITE_P(
    Halves, CutInItsData,
    testing::Values(CutCase{"JpegBaseline", [] { return noiseFile(EncodedFormat::Jpeg); }},
                    CutCase{"JpegProgressive", [] { return fixture("jpeg-progressive.jpg"); }},
                    CutCase{"Png", [] { return noiseFile(EncodedFormat::Png); }},
                    CutCase{"PngInterlaced", [] { return fixture("png-interlaced.png"); }},
                    CutCase{"Gif", [] { return noiseFile(EncodedFormat::Gif); }},
                    CutCase{"Bmp", [] { return noiseFile(EncodedFormat::Bmp); }},
                    CutCase{"BmpRle8", [] { return fixture("bmp-rle8.bmp"); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Every prefix of every fixture, and copies with a few bytes overwritten, must decode or fail
// cleanly; whatever comes back must still be an RGB32 picture.
TEST(PictureDecoding, CutOrScrambledFilesNeverBreakTheDecoder) {
  const char* const files[] = {
      "jpeg-baseline.jpg",   "jpeg-progressive.jpg", "jpeg-cmyk.jpg",     "exif-orientation-5.jpg",
      "png-interlaced.png",  "png-palette-trns.png", "png-grey16.png",    "gif87a.gif",
      "gif-local-table.gif", "bmp-4bit.bmp",         "bmp-16bit-565.bmp", "bmp-v5-alpha.bmp",
      "bmp-rle8.bmp",        "bmp-rle4.bmp",         "bmp-os2.bmp"};
  std::mt19937 random(7);
  for (const char* file : files) {
    const QByteArray whole = fixture(file);
    std::vector<QByteArray> variants;
    for (qsizetype keep = 0; keep < whole.size(); ++keep) variants.push_back(whole.left(keep));
    for (int i = 0; i < 200; ++i) {
      QByteArray scrambled = whole;
      for (int n = 1 + int(random() % 3); n > 0; --n)
        scrambled[qsizetype(random() % quint32(whole.size()))] = char(random());
      variants.push_back(scrambled);
    }
    for (const QByteArray& bytes : variants) {
      const std::optional<QImage> image = decodePicture(bytes);
      if (image) {
        ASSERT_EQ(image->format(), QImage::Format_RGB32) << file;
        ASSERT_FALSE(image->isNull()) << file;
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------

struct FailureCase {
  const char* file;
  DecodeError error;
  qint64 width = 0;
  qint64 height = 0;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.file;
}

class DecodeFailureReason : public testing::TestWithParam<FailureCase> {};

TEST_P(DecodeFailureReason, SaysWhyTheFileHasNoPicture) {
  const FailureCase& c = GetParam();
  const DecodeResult result = decodePictureFileOrFailure(fixturePath(c.file));
  const DecodeFailure* failure = std::get_if<DecodeFailure>(&result);
  ASSERT_NE(failure, nullptr);
  EXPECT_EQ(failure->error, c.error);
  EXPECT_EQ(failure->width, c.width);
  EXPECT_EQ(failure->height, c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DecodeFailureReason,
    testing::Values(FailureCase{"absent.png", DecodeError::Unreadable},
                    FailureCase{"", DecodeError::Unreadable},  // the fixture folder itself
                    FailureCase{"not-a-picture.jpg", DecodeError::NotPicture},
                    FailureCase{"png-cut-in-header.png", DecodeError::Damaged},
                    FailureCase{"gif-cut-in-header.gif", DecodeError::Damaged},
                    FailureCase{"bmp-unknown-header-size.bmp", DecodeError::Damaged},
                    FailureCase{"jpeg-cut-in-header.jpg", DecodeError::Damaged},
                    FailureCase{"png-text-claims-2gb.png", DecodeError::Damaged},
                    FailureCase{"png-ztxt-claims-2gb.png", DecodeError::Damaged},
                    FailureCase{"png-itxt-claims-2gb.png", DecodeError::Damaged},
                    FailureCase{"png-70000x10.png", DecodeError::TooLarge, 70000, 10},
                    FailureCase{"png-20000x20000.png", DecodeError::TooLarge, 20000, 20000},
                    FailureCase{"bmp-rle8-70000x10.bmp", DecodeError::TooLarge, 70000, 10},
                    FailureCase{"bmp-rle8-20000x20000.bmp", DecodeError::TooLarge, 20000, 20000},
                    FailureCase{"jpeg-20000x20000.jpg", DecodeError::TooLarge, 20000, 20000},
                    FailureCase{"gif-screen-20000x20000.gif", DecodeError::TooLarge, 20000, 20000},
                    FailureCase{"gif-frame-20000x20000.gif", DecodeError::TooLarge, 20000, 20000}),
    [](const auto& info) {
      return info.param.file[0] ? caseName(info.param.file) : std::string("Folder");
    });

// A PNG chunk with its CRC.
QByteArray pngChunk(const char* type, const QByteArray& data) {
  const auto bigEndian = [](quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
  };
  const QByteArray typeAndData = QByteArray(type) + data;
  const auto* crcOver = reinterpret_cast<const Bytef*>(typeAndData.constData());
  return bigEndian(quint32(data.size())) + typeAndData +
         bigEndian(quint32(crc32(crc32(0, nullptr, 0), crcOver, uInt(typeAndData.size()))));
}

// A 2000 x 1500 white PNG led by zTXt chunks that each inflate to nearly 8 MB, the most libpng
// inflates for one chunk, and whose text it would keep.
QByteArray pngWithCompressedText(int chunks) {
  QImage white(2000, 1500, QImage::Format_RGB32);
  white.fill(kWhite);
  const QByteArray png = encodeImage(white, EncodedFormat::Png, 96);
  // qCompress puts the length first, then a zlib stream.
  const QByteArray text = pngChunk(
      "zTXt", QByteArray("Comment\0\0", 9) + qCompress(QByteArray(7'900'000, ' '), 9).mid(4));
  constexpr qsizetype kAfterHeader = 8 + 12 + 13;
  QByteArray bomb = png.left(kAfterHeader);
  for (int i = 0; i < chunks; ++i) bomb += text;
  return bomb + png.mid(kAfterHeader);
}

// PNG text chunks cost nothing: one that claims 2 GB is refused before anything is allocated,
// and compressed text is never inflated. Shown in a process of its own whose address space is
// capped at 64 MB more than it uses.
TEST(HostilePngText, CostsNoMemory) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "AddressSanitizer maps more than a capped address space allows";
#endif
  const QByteArray compressedText = pngWithCompressedText(24);
  const auto decodeWithLittleMemory = [&] {
    test::leaveAddressSpace(64 * 1024 * 1024);
    int faults = 0;
    for (const char* file :
         {"png-text-claims-2gb.png", "png-ztxt-claims-2gb.png", "png-itxt-claims-2gb.png"}) {
      const DecodeResult result = decodePictureFileOrFailure(fixturePath(file));
      const DecodeFailure* failure = std::get_if<DecodeFailure>(&result);
      if (!failure || failure->error != DecodeError::Damaged) {
        std::fprintf(stderr, "%s: not refused as damaged\n", file);
        ++faults;
      }
    }
    const DecodeResult result = decodePictureOrFailure(compressedText);
    const QImage* picture = std::get_if<QImage>(&result);
    if (!picture || picture->size() != QSize(2000, 1500) || picture->pixel(1999, 1499) != kWhite) {
      std::fprintf(stderr, "compressed text: no picture\n");
      ++faults;
    }
    std::fflush(stderr);
    _exit(faults);
  };
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(decodeWithLittleMemory(), testing::ExitedWithCode(0), "");
}

TEST(DecodeFailureOfBytes, BytesOfNoKnownFormatAreNoPicture) {
  for (const QByteArray& bytes : {QByteArray(), randomBytes()}) {
    const DecodeResult result = decodePictureOrFailure(bytes);
    ASSERT_TRUE(std::holds_alternative<DecodeFailure>(result));
    EXPECT_EQ(std::get<DecodeFailure>(result).error, DecodeError::NotPicture);
  }
}

// ---------------------------------------------------------------------------------------------

// Keeps each row as it is when told, to hold it against the finished picture.
class RecordingSink : public PictureRowSink {
 public:
  void rowsDone(const QImage& picture, int first, int count) override {
    for (int y = first; y < first + count; ++y) {
      told[y].push_back(QByteArray(reinterpret_cast<const char*>(picture.constScanLine(y)),
                                   picture.bytesPerLine()));
    }
  }
  std::map<int, std::vector<QByteArray>> told;
};

struct RowCase {
  const char* name;
  QByteArray (*bytes)();
};

void PrintTo(const RowCase& c, std::ostream* os) {
  *os << c.name;
}

QByteArray noiseJpeg(int orientation) {
  return test::withExifOrientation(encodeImage(test::noise(45, 70), EncodedFormat::Jpeg, 96, 90),
                                   orientation);
}

class RowsAsDecoded : public testing::TestWithParam<RowCase> {};

TEST_P(RowsAsDecoded, EveryRowIsToldOnceAndOnlyWhenFinal) {
  RecordingSink sink;
  const DecodeResult result = decodePictureOrFailure(GetParam().bytes(), &sink);
  const QImage* picture = std::get_if<QImage>(&result);
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(sink.told.size(), size_t(picture->height()));
  for (const auto& [y, versions] : sink.told) {
    ASSERT_EQ(versions.size(), 1u) << "row " << y;
    EXPECT_EQ(versions.front(), QByteArray(reinterpret_cast<const char*>(picture->constScanLine(y)),
                                           picture->bytesPerLine()))
        << "row " << y;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, RowsAsDecoded,
    testing::Values(RowCase{"JpegUpright", [] { return noiseJpeg(1); }},
                    RowCase{"JpegMirrored", [] { return noiseJpeg(2); }},
                    RowCase{"JpegUpsideDown", [] { return noiseJpeg(3); }},
                    RowCase{"JpegOnItsSide", [] { return noiseJpeg(6); }},
                    RowCase{"JpegProgressive", [] { return fixture("jpeg-progressive.jpg"); }},
                    RowCase{"JpegCmyk", [] { return fixture("jpeg-cmyk.jpg"); }},
                    RowCase{"PngInterlaced", [] { return fixture("png-interlaced.png"); }},
                    RowCase{"GifFrameOnAScreen", [] { return fixture("gif-local-table.gif"); }},
                    RowCase{"BmpRle", [] { return fixture("bmp-rle8.bmp"); }},
                    RowCase{"BmpBottomUp", [] { return fixture("bmp-24bit.bmp"); }}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------

TEST(PictureFile, FormatComesFromTheBytesNotTheName) {
  QTemporaryDir dir;
  const QString pngNamedBmp = dir.filePath(QStringLiteral("photo.bmp"));
  const QString bmpNamedJpeg = dir.filePath(QStringLiteral("photo.jpg"));
  ASSERT_TRUE(writeBytes(pngNamedBmp, fixture("png-rgb8.png")));
  ASSERT_TRUE(writeBytes(bmpNamedJpeg, fixture("bmp-24bit.bmp")));

  for (const QString& path : {pngNamedBmp, bmpNamedJpeg}) {
    const std::optional<QImage> image = decodePictureFile(path);
    ASSERT_TRUE(image.has_value()) << path.toStdString();
    ASSERT_EQ(image->size(), QSize(14, 10));
    EXPECT_EQ(rawPixel(*image, 0, 0), kRed);
    EXPECT_EQ(rawPixel(*image, 13, 9), kYellow);
  }
}

TEST(PictureFile, MissingOrEmptyFileHasNoPicture) {
  QTemporaryDir dir;
  const QString empty = dir.filePath(QStringLiteral("empty.png"));
  ASSERT_TRUE(writeBytes(empty, QByteArray()));
  EXPECT_FALSE(decodePictureFile(empty).has_value());
  EXPECT_FALSE(decodePictureFile(dir.filePath(QStringLiteral("absent.jpg"))).has_value());
}

}  // namespace
}  // namespace veltrix
