// The JPEG size target against ImageMagick's jpeg:extent, both run as whole processes on a
// head-shot-sized picture the benchmark makes itself: speed, quality and the sizes reached.
// Prints one "name: value" line a figure.
#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <random>

#include "codec/image_codec.h"
#include "codec/image_encoder.h"
#include "paired_runs.h"
#include "save/picture_encoding.h"

namespace {

using namespace veltrix;

constexpr int kRuns = 15;
constexpr double kLimitKb = 20;
const QString kImageMagick = QStringLiteral("/usr/bin/convert");

// A head shot as a camera gives it: a backdrop shading from top to bottom, a face-like ellipse
// lit from one side, darker hair above it, shoulders below, and mild sensor noise.
QImage makePhoto(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  std::mt19937 random(42);
  std::normal_distribution<double> grain(0.0, 2.5);
  const double cx = width * 0.5;
  const double cy = height * 0.42;
  const double rx = width * 0.27;
  const double ry = height * 0.30;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const double t = double(y) / height;
      double r = 70 + 50 * t, g = 110 + 40 * t, b = 190 - 30 * t;
      const double dx = (x - cx) / rx;
      const double dy = (y - cy) / ry;
      const double d = dx * dx + dy * dy;
      const double shoulders = (y - height * 0.95) / (height * 0.25);
      const double sx = (x - cx) / (width * 0.55);
      if (sx * sx + shoulders * shoulders < 1.0) {
        r = 40 + 20 * sx;
        g = 45 + 20 * sx;
        b = 60 + 20 * sx;
      }
      if (d < 1.0) {
        const double light = 0.85 + 0.25 * (-dx) * std::sqrt(1.0 - d);
        r = 225 * light;
        g = 180 * light;
        b = 150 * light;
        if (dy < -0.55 + 0.15 * dx * dx) {  // hairline
          r = 55;
          g = 40;
          b = 30;
        }
        if (std::abs(dy + 0.1) < 0.06 && std::abs(std::abs(dx) - 0.35) < 0.12) {  // eyes
          r = 50;
          g = 40;
          b = 35;
        }
        if (std::abs(dy - 0.45) < 0.04 && std::abs(dx) < 0.3) {  // mouth
          r = 170;
          g = 90;
          b = 90;
        }
      }
      const auto channel = [&](double v) {
        return std::clamp(int(std::lround(v + grain(random))), 0, 255);
      };
      row[x] = qRgb(channel(r), channel(g), channel(b));
    }
  }
  return image;
}

double psnr(const QImage& source, const QString& path) {
  const std::optional<QImage> decoded = decodePictureFile(path);
  if (!decoded || decoded->size() != source.size()) return -1;
  double squared = 0;
  for (int y = 0; y < source.height(); ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    const auto* b = reinterpret_cast<const QRgb*>(decoded->constScanLine(y));
    for (int x = 0; x < source.width(); ++x) {
      const int dr = qRed(a[x]) - qRed(b[x]);
      const int dg = qGreen(a[x]) - qGreen(b[x]);
      const int db = qBlue(a[x]) - qBlue(b[x]);
      squared += dr * dr + dg * dg + db * db;
    }
  }
  const double mse = squared / (3.0 * source.width() * source.height());
  return 10 * std::log10(255.0 * 255.0 / mse);
}

bool runProcess(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedChannels);
  process.start(program, arguments);
  return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

// The child run: what the program does when the user saves a JPEG with a size target.
int encodeChild(const QString& in, const QString& out, double limitKb) {
  const std::optional<QImage> picture = decodePictureFile(in);
  if (!picture) return 1;
  const std::optional<EncodeResult> result =
      encodePicture(*picture, QStringLiteral(".jpg"), limitKb, 96);
  if (!result) return 1;
  if (!result->targetMet) std::fprintf(stderr, "target not met\n");
  return writeBytesToFile(out, result->bytes) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 5 && QByteArray(argv[1]) == "--encode")
    return encodeChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                       QByteArray(argv[4]).toDouble());
  QCoreApplication application(argc, argv);

  QTemporaryDir dir;
  const QImage source = makePhoto(358, 441);
  const QString in = dir.filePath(QStringLiteral("in.png"));
  const QString ours = dir.filePath(QStringLiteral("ours.jpg"));
  const QString theirs = dir.filePath(QStringLiteral("imagemagick.jpg"));
  if (!writeBytesToFile(in, encodeImage(source, EncodedFormat::Png, 96))) return 1;

  const qint64 limitBytes = qint64(kLimitKb * 1024);
  const qint64 best = encodeImage(source, EncodedFormat::Jpeg, 96, 100).size();
  if (best <= limitBytes)
    std::fprintf(stderr, "quality 100 already fits (%lld bytes): the search is not exercised\n",
                 static_cast<long long>(best));

  const QString self = QCoreApplication::applicationFilePath();
  const QString limitArgument = QString::number(kLimitKb);
  const QStringList ourArguments{QStringLiteral("--encode"), in, ours, limitArgument};
  const QStringList theirArguments{in, QStringLiteral("-define"),
                                   QStringLiteral("jpeg:extent=%1kb").arg(limitArgument), theirs};
  if (!runProcess(self, ourArguments) || !runProcess(kImageMagick, theirArguments)) {
    std::fprintf(stderr, "an encoder failed\n");
    return 1;
  }
  const bench::PairedTimes times = bench::alternate(
      kRuns, [&] { runProcess(self, ourArguments); },
      [&] { runProcess(kImageMagick, theirArguments); });

  const qint64 oursBytes = QFileInfo(ours).size();
  const qint64 theirBytes = QFileInfo(theirs).size();
  if (oursBytes > limitBytes) std::fprintf(stderr, "ours is over the limit\n");
  if (theirBytes > limitBytes) std::fprintf(stderr, "ImageMagick's is over the limit\n");
  std::fprintf(stderr, "median ms: ours %.2f, imagemagick %.2f; quality 100 is %lld bytes\n",
               times.oursSeconds * 1e3, times.peerSeconds * 1e3, static_cast<long long>(best));

  std::printf("jpeg_target_time_vs_imagemagick: %.3f\n", times.ratio);
  std::printf("jpeg_target_psnr_ours_db: %.2f\n", psnr(source, ours));
  std::printf("jpeg_target_psnr_imagemagick_db: %.2f\n", psnr(source, theirs));
  std::printf("jpeg_target_bytes_ours: %lld\n", static_cast<long long>(oursBytes));
  std::printf("jpeg_target_bytes_imagemagick: %lld\n", static_cast<long long>(theirBytes));
  std::printf("jpeg_target_limit_bytes: %lld\n", static_cast<long long>(limitBytes));
  return 0;
}
