// The view's speed and memory figures, each measured in one run beside its peer, on pictures
// the benchmark makes itself. Prints one "name: value" line a figure.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>
#include <vips/vips.h>
#include <zlib.h>

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "bench_pictures.h"
#include "framing/head_framing.h"
#include "paired_runs.h"
#include "platform/face_detector.h"
#include "view/picture_loading.h"
#include "view/picture_rotation.h"
#include "view/view_render.h"

namespace {

using namespace veltrix;
using bench::makePhoto;
using bench::plainDecode;
using bench::writeJpeg;

const FrameLines kFrame{QRect(125, 34, 160, 210), QColor(255, 255, 0)};

struct Shown {
  ImageDocument document;
  ViewState view;
};

void loadShown(Shown& shown, const QString& path) {
  resizeCanvases(shown.view, 411, 279);
  loadPictureFile(shown.document, shown.view, path, kFrame);
}

void vipsResize(const QImage& picture, int width, int height) {
  VipsImage* in =
      vips_image_new_from_memory(picture.constBits(), picture.sizeInBytes(), picture.width(),
                                 picture.height(), 4, VIPS_FORMAT_UCHAR);
  VipsImage* out = nullptr;
  vips_resize(in, &out, static_cast<double>(width) / picture.width(), "vscale",
              static_cast<double>(height) / picture.height(), nullptr);
  size_t size = 0;
  g_free(vips_image_write_to_memory(out, &size));
  g_object_unref(out);
  g_object_unref(in);
}

// One zoom step from the fitted view, against libvips resizing to the same size.
double zoomStepVsVips(const QString& path) {
  Shown shown;
  loadShown(shown, path);
  const double fitted = shown.view.zoom;
  zoomView(shown.view, shown.document, 1.02, kFrame);
  const int width = shown.view.scaledWidth;
  const int height = shown.view.scaledHeight;
  return bench::alternate(
             15,
             [&] {
               shown.view.zoom = fitted;
               zoomView(shown.view, shown.document, 1.02, kFrame);
             },
             [&] { vipsResize(shown.document.picture, width, height); })
      .ratio;
}

double loadVsDecode(const QString& path) {
  return bench::alternate(
             9,
             [&] {
               Shown shown;
               loadShown(shown, path);
             },
             [&] { plainDecode(path); })
      .ratio;
}

// One-pixel frame moves on a picture shown at zoom 1, which is as large as it gets drawn.
struct FrameMoves {
  explicit FrameMoves(const QString& path) {
    loadShown(shown, path);
    shown.view.zoom = 1.0;
    redrawView(shown.view, shown.document, kFrame);
  }
  void operator()() {
    for (int i = 0; i < 50; ++i) {
      frame.interior.translate(i % 2 ? -1 : 1, 0);
      refreshFrameOverlay(shown.view, shown.document, frame);
    }
  }
  Shown shown;
  FrameLines frame = kFrame;
};

double frameMove24MpVs1Mp(const QString& big, const QString& small) {
  FrameMoves large(big);
  FrameMoves little(small);
  return bench::alternate(101, std::ref(large), std::ref(little)).ratio;
}

// The child runs, measured from outside: the picture loaded and zoomed up to the bound, then
// held; or only loaded into a fresh view, as the program opens it.
int holdAtBound(const QString& path) {
  Shown shown;
  loadShown(shown, path);
  while (zoomView(shown.view, shown.document, 1.02, kFrame)) {
  }
  std::printf("held %d x %d\n", shown.view.scaledWidth, shown.view.scaledHeight);
  return 0;
}

int loadOnly(const QString& path) {
  Shown shown;
  loadShown(shown, path);
  return shown.document.present ? 0 : 1;
}

int decodeInOneBand(const QString& path) {
  plainDecode(path, false);
  return 0;
}

// A quarter turn of the picture to memory, against libvips turning the same pixels to memory.
double rotateVsVips(const QImage& picture) {
  const auto ours = [&picture] { turnQuarter(picture, 90); };
  const auto peer = [&picture] {
    VipsImage* in =
        vips_image_new_from_memory(picture.constBits(), picture.sizeInBytes(), picture.width(),
                                   picture.height(), 4, VIPS_FORMAT_UCHAR);
    VipsImage* out = nullptr;
    vips_rot(in, &out, VIPS_ANGLE_D90, nullptr);
    size_t size = 0;
    g_free(vips_image_write_to_memory(out, &size));
    g_object_unref(out);
    g_object_unref(in);
  };
  return bench::alternate(21, ours, peer).ratio;
}

qint64 statusKilobytes(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  status.open(QIODevice::ReadOnly);
  const QRegularExpression line(QString::fromLatin1(field) + QStringLiteral(":\\s+(\\d+) kB"));
  return line.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
}

// The child run: the picture loaded and shown, the peak forgotten, then one turn with its
// redraw; prints how far the peak rose above the memory held before, in pictures.
int rotateGrowth(const QString& path) {
  Shown shown;
  loadShown(shown, path);
  QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
  if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1) return 1;
  clearRefs.close();
  const qint64 before = statusKilobytes("VmRSS");
  if (!rotatePicture(shown.document, shown.view, 90, kFrame)) return 1;
  const double picture = shown.document.picture.sizeInBytes() / 1024.0;
  std::printf("%.3f\n", (statusKilobytes("VmHWM") - before) / picture);
  return 0;
}

double childFigure(const QString& self, const char* mode, const QString& path) {
  QProcess process;
  process.start(self, {QString::fromLatin1(mode), path});
  process.waitForFinished(-1);
  if (process.exitCode() != 0) return -1.0;
  return QString::fromLatin1(process.readAllStandardOutput()).trimmed().toDouble();
}

double peakRssBytes(const QString& self, const char* mode, const QString& path) {
  QProcess process;
  process.start(QStringLiteral("/usr/bin/time"),
                {QStringLiteral("-v"), self, QString::fromLatin1(mode), path});
  process.waitForFinished(-1);
  const QString report = QString::fromLocal8Bit(process.readAllStandardError());
  const QRegularExpression line(QStringLiteral("Maximum resident set size \\(kbytes\\): (\\d+)"));
  const auto match = line.match(report);
  if (process.exitCode() != 0 || !match.hasMatch()) return -1.0;
  return match.captured(1).toDouble() * 1024.0;
}

double peakVsDecoded(const QString& self, const char* mode, const QString& path, QSize decoded) {
  return peakRssBytes(self, mode, path) / (4.0 * decoded.width() * decoded.height());
}

void appendChunk(QByteArray& png, const char* type, const QByteArray& data) {
  const QByteArray typed = QByteArray(type, 4) + data;
  const auto bigEndian = [](quint32 value) {
    const char bytes[] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    return QByteArray(bytes, 4);
  };
  png += bigEndian(quint32(data.size())) + typed +
         bigEndian(quint32(
             crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))));
}

// Black all over, deflated as far as zlib goes: well under a megabyte on disk, and 900 MB once
// decoded at the 15000 x 15000 the memory figure uses.
QString writeFlatPng(const QTemporaryDir& dir, int side) {
  std::vector<unsigned char> row(1 + 3 * size_t(side));  // filter byte, then RGB
  z_stream stream{};
  deflateInit(&stream, Z_BEST_COMPRESSION);
  QByteArray compressed;
  std::vector<unsigned char> out(1 << 16);
  for (int y = 0; y <= side; ++y) {
    const bool last = y == side;
    stream.next_in = last ? nullptr : row.data();
    stream.avail_in = last ? 0 : uInt(row.size());
    do {
      stream.next_out = out.data();
      stream.avail_out = uInt(out.size());
      deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
      compressed.append(reinterpret_cast<const char*>(out.data()),
                        qsizetype(out.size() - stream.avail_out));
    } while (stream.avail_in > 0 || (last && stream.avail_out == 0));
  }
  deflateEnd(&stream);

  QByteArray header(13, 0);
  for (int at : {0, 4}) {
    header[at] = char(side >> 24), header[at + 1] = char(side >> 16);
    header[at + 2] = char(side >> 8), header[at + 3] = char(side);
  }
  header[8] = 8;  // bits a sample
  header[9] = 2;  // RGB
  QByteArray png("\x89PNG\r\n\x1a\n", 8);
  appendChunk(png, "IHDR", header);
  appendChunk(png, "IDAT", compressed);
  appendChunk(png, "IEND", {});
  const QString path = dir.filePath(QStringLiteral("flat.png"));
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(png);
  return path;
}

// One-click framing of a 24-megapixel photo of a face, as a camera of today gives it: the
// detection, the head's measure and the placement, median of 15 runs, in milliseconds. -1 when
// the detector's data is not installed.
double framing24MpMs() {
  const std::unique_ptr<FaceDetector> detector = makeFaceDetector();
  if (!detector->available()) return -1;
  const QImage face(QStringLiteral(VELTRIX_TEST_DATA "/faces/astronaut.jpg"));
  QImage photo(6000, 4000, QImage::Format_RGB32);
  photo.fill(face.pixel(face.width() - 1, 0));
  QPainter(&photo).drawImage(QRect(1000, 0, 4000, 4000), face);
  std::vector<double> runs;
  for (int run = 0; run < 15; ++run) {
    QElapsedTimer timer;
    timer.start();
    const auto framed = frameHead(*detector, photo, QSize(358, 441), QSize(412, 318));
    runs.push_back(timer.nsecsElapsed() / 1e6);
    if (!std::holds_alternative<HeadPlacement>(framed)) return -1;
  }
  std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
  return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const std::pair<const char*, int (*)(const QString&)> childRuns[] = {
      {"--hold-at-bound", holdAtBound},
      {"--load", loadOnly},
      {"--decode-in-one-band", decodeInOneBand},
      {"--rotate-growth", rotateGrowth},
  };
  for (const auto& [mode, run] : childRuns) {
    if (argc == 3 && QByteArray(argv[1]) == mode) return run(QString::fromLocal8Bit(argv[2]));
  }
  if (VIPS_INIT(argv[0])) return 1;

  QTemporaryDir dir;
  const QString big = writeJpeg(dir, makePhoto(6000, 4000), "24mp.jpg");
  const QString small = writeJpeg(dir, makePhoto(1224, 816), "1mp.jpg");
  const QString self = QCoreApplication::applicationFilePath();
  constexpr int kFlatSide = 15000;
  const QString flat = writeFlatPng(dir, kFlatSide);
  // Progressive, so libjpeg holds the whole picture's coefficients, and stored on its side: with
  // the half-resolution colour cameras write, and with full-resolution colour, whose
  // coefficients alone take one and a half times the decoded picture.
  const QString sideways =
      QStringLiteral(VELTRIX_TEST_DATA "/jpeg-progressive-420-65500x3816-orientation-6.jpg");
  const QString sidewaysFullColour =
      QStringLiteral(VELTRIX_TEST_DATA "/jpeg-progressive-65500x3816-orientation-6.jpg");

  std::printf("zoom_step_vs_vips: %.3f\n", zoomStepVsVips(big));
  std::printf("load_vs_decode: %.3f\n", loadVsDecode(big));
  std::printf("frame_move_24mp_vs_1mp: %.3f\n", frameMove24MpVs1Mp(big, small));
  std::printf("peak_rss_mb: %.1f\n", peakRssBytes(self, "--hold-at-bound", big) / (1 << 20));
  std::printf("load_peak_rss_vs_decoded_size_png: %.3f\n",
              peakVsDecoded(self, "--load", flat, QSize(kFlatSide, kFlatSide)));
  std::printf("load_peak_rss_vs_decoded_size_jpeg: %.3f\n",
              peakVsDecoded(self, "--load", sideways, QSize(3816, 65500)));
  std::printf("load_peak_rss_vs_decoded_size_jpeg_full_colour: %.3f\n",
              peakVsDecoded(self, "--load", sidewaysFullColour, QSize(3816, 65500)));
  // What libjpeg-turbo alone holds for each file, mostly its coefficients: a load can need no
  // less than this plus the picture itself.
  std::printf("libjpeg_alone_peak_rss_vs_decoded_size_jpeg: %.3f\n",
              peakVsDecoded(self, "--decode-in-one-band", sideways, QSize(3816, 65500)));
  std::printf("libjpeg_alone_peak_rss_vs_decoded_size_jpeg_full_colour: %.3f\n",
              peakVsDecoded(self, "--decode-in-one-band", sidewaysFullColour, QSize(3816, 65500)));
  std::printf("rotate_24mp_vs_vips: %.3f\n", rotateVsVips(makePhoto(6000, 4000)));
  std::printf("rotate_peak_rss_growth_in_pictures: %.3f\n",
              childFigure(self, "--rotate-growth", big));
  std::printf("framing_24mp_ms: %.1f\n", framing24MpMs());
  vips_shutdown();
  return 0;
}
