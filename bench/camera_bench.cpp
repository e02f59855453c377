// The camera window's live picture with the test camera (a moving ball, 30 frames a second) at
// 1280 × 720 and 1920 × 1080. Every run is a child process of this program holding the real
// camera window on the real GStreamer device, painted on the offscreen platform, so no run
// inherits another's threads, caches or memory:
//   preview_fps_*            new frames painted on the preview a second;
//   frame_age_p95_ms         a frame's age from its arrival in the appsink to the end of the
//                            paint that shows it, 95th percentile, the worse of the two sizes;
//   gui_stall_max_ms         the longest gap between ticks of a 1 ms timer on the GUI thread,
//                            the worse of the two sizes;
//   first_frame_ms           from the window's construction to its first painted frame, the
//                            worse of the two sizes;
//   cpu_vs_gst_baseline_*    the CPU time of a child previewing for 10 s beside gst-launch-1.0
//                            playing the same source through the same conversion into a
//                            fakesink for as long, paired runs;
//   rss_growth_mb_2min       resident memory growth over 2 minutes of preview at 1920 × 1080,
//                            after a warm-up; each end is the floor of 10 s of samples;
//   heap_in_use_growth_mb_2min  the same for the memory the allocator has handed out, which a
//                            leak raises and a moment with one more frame alive does not.
// Prints one "name: value" line a figure.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "arrival_noting_device.h"
#include "camera/camera_state.h"
#include "camera/camera_window.h"
#include "camera/preview_canvas.h"
#include "camera/quick_shot_settings.h"
#include "child_process.h"
#include "paired_runs.h"
#include "platform/gst_capture_device.h"
#include "platform/sound.h"
#include "platform/system_clock.h"
#include "process_memory.h"
#include "silent_prompter.h"

namespace {

using namespace veltrix;
using SteadyClock = std::chrono::steady_clock;

constexpr int kPreviewSeconds = 10;
constexpr int kSettleMs = 1000;  // after the first painted frame, before watching starts
constexpr int kGiveUpMs = 30000;
constexpr int kStallTickMs = 1;
constexpr int kCpuPairs = 5;
constexpr int kMemoryWarmUpSeconds = 10;
constexpr int kMemorySeconds = 120;
constexpr int kMemoryWindowSeconds = 10;
constexpr int kMemorySampleMs = 100;
constexpr int kSourceRate = 30;
constexpr const char* kTestCameraSource = "videotestsrc pattern=ball is-live=true";

double msBetween(SteadyClock::time_point from, SteadyClock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

class NoSound final : public Sound {
 public:
  void play(const QByteArray&) override {}
};

// What the main window is to the camera window; no photo is taken here.
class BenchHost final : public CameraHost {
 public:
  QSize corrections() const override { return {}; }
  QPoint mainWindowTopLeft() const override { return {}; }
  QColor frameColour() const override { return Qt::red; }
  void takePhoto(const QImage&) override {}
  QStringList sizeTexts() const override { return {}; }
  QString jpgLimitText() const override { return {}; }
  void restoreKeptSize(bool) override {}
  void showNamingWindow() override {}
  void closeNamingWindow() override {}
  std::optional<QString> spreadsheetName(QWidget*, bool&) override { return std::nullopt; }
  void advanceSpreadsheetRow() override {}
  void cameraClosing() override {}
};

// The test camera left at size, as an earlier choice in the format dialog leaves it.
bool chooseSize(GstCaptureDevice& device, QSize size) {
  if (!device.connect(device.driverCount())) return false;
  const QList<CaptureFormat> offered = device.formats();
  const auto format = std::find_if(offered.begin(), offered.end(),
                                   [&](const CaptureFormat& f) { return f.size == size; });
  const bool chosen = format != offered.end() && device.setFormat(*format);
  device.disconnect();
  return chosen;
}

// The camera window as the toolbar opens it, deleted with this.
class OpenCameraWindow {
 public:
  explicit OpenCameraWindow(CaptureDevice& device)
      : window_(new CameraWindow(state_, output_, quickShot_, device, host_,
                                 {prompter_, sound_, clock_, settingsFolder_})) {
    window_->show();
  }
  ~OpenCameraWindow() { delete window_; }
  OpenCameraWindow(const OpenCameraWindow&) = delete;
  OpenCameraWindow& operator=(const OpenCameraWindow&) = delete;

  PreviewCanvas* canvas() const { return window_->findChild<PreviewCanvas*>(); }

 private:
  CameraState state_;
  OutputSpec output_;
  QuickShotSettings quickShot_;
  BenchHost host_;
  bench::SilentPrompter prompter_;
  NoSound sound_;
  SystemClock clock_;
  QString settingsFolder_ = QDir::tempPath();
  CameraWindow* window_;
};

// The event loop ends after ms. Not by quit(), which closes the windows: the camera window
// deletes itself when closed, and it is OpenCameraWindow's to delete.
void stopAfter(int ms) {
  QTimer::singleShot(ms, qApp, [] { QCoreApplication::exit(0); });
}

double percentile95(std::vector<double> values) {
  if (values.empty()) return NAN;
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(std::ceil(0.95 * values.size()));
  return values[std::max<std::size_t>(rank, 1) - 1];
}

// The window previewing for kPreviewSeconds once its first frame is painted and has settled,
// watched from its own GUI thread.
int watch(QSize size) {
  GstCaptureDevice device;
  if (!chooseSize(device, size)) return 1;
  bench::ArrivalNotingDevice noting(device);

  bool watching = false;
  SteadyClock::time_point watchStart, lastTick;
  std::optional<double> firstFrameMs;
  int framesPainted = 0;
  std::vector<double> ages;
  double stallMaxMs = 0;

  QTimer ticks;
  ticks.setTimerType(Qt::PreciseTimer);
  ticks.setInterval(kStallTickMs);
  QObject::connect(&ticks, &QTimer::timeout, [&] {
    const auto now = SteadyClock::now();
    if (watching) stallMaxMs = std::max(stallMaxMs, msBetween(lastTick, now));
    lastTick = now;
  });

  const auto opened = SteadyClock::now();
  OpenCameraWindow window(noting);
  QObject::connect(window.canvas(), &PreviewCanvas::framePainted, [&] {
    const auto now = SteadyClock::now();
    const std::optional<bench::ArrivalNotingDevice::Handed> handed = noting.takeHanded();
    if (!handed) return;  // painted again, without a new frame
    if (!firstFrameMs) {
      firstFrameMs = msBetween(opened, now);
      QTimer::singleShot(kSettleMs, [&] {
        watching = true;
        watchStart = lastTick = SteadyClock::now();
        ticks.start();
        stopAfter(kPreviewSeconds * 1000);
      });
    }
    if (!watching) return;
    ++framesPainted;
    if (handed->arrived) ages.push_back(msBetween(*handed->arrived, now));
  });
  QTimer::singleShot(kGiveUpMs, qApp, [] { QCoreApplication::exit(1); });
  if (QApplication::exec() != 0) return 1;
  const double watchedSeconds = msBetween(watchStart, SteadyClock::now()) / 1000;

  std::printf("fps: %.2f\n", framesPainted / watchedSeconds);
  std::printf("age_p95_ms: %.1f\n", percentile95(ages));
  std::printf("stall_max_ms: %.1f\n", stallMaxMs);
  std::printf("first_frame_ms: %.1f\n", *firstFrameMs);
  return 0;
}

// The window previewing for kPreviewSeconds and nothing else: the run whose CPU time counts.
int preview(QSize size) {
  GstCaptureDevice device;
  if (!chooseSize(device, size)) return 1;
  OpenCameraWindow window(device);
  stopAfter(kPreviewSeconds * 1000);
  return QApplication::exec();
}

// The lowest of each over a window of samples.
struct MemoryFloor {
  double residentMb = INFINITY;
  double heapInUseMb = INFINITY;
  void sample() {
    residentMb = std::min(residentMb, bench::residentMb());
    heapInUseMb = std::min(heapInUseMb, bench::heapInUseMb());
  }
};

// A frame at 1080p is 8 MB, and up to four are alive at once as they pass from the camera to
// the screen; so memory is taken as its floor over a window of samples, once after the warm-up
// and once kMemorySeconds later. Resident memory keeps the most the allocator ever held, so a
// moment when one more frame was alive than before shows in it for good; the heap in use does
// not, and tells that apart from a leak.
int memory(QSize size) {
  GstCaptureDevice device;
  if (!chooseSize(device, size)) return 1;
  const auto opened = SteadyClock::now();
  OpenCameraWindow window(device);
  const double firstWindow = kMemoryWarmUpSeconds;
  const double lastWindow = firstWindow + kMemorySeconds;
  MemoryFloor first, last;
  QTimer samples;
  QObject::connect(&samples, &QTimer::timeout, [&] {
    const double at = msBetween(opened, SteadyClock::now()) / 1000;
    if (at >= lastWindow + kMemoryWindowSeconds) {
      QCoreApplication::exit(0);
    } else if (at >= lastWindow) {
      last.sample();
    } else if (at >= firstWindow && at < firstWindow + kMemoryWindowSeconds) {
      first.sample();
    }
  });
  samples.start(kMemorySampleMs);
  if (QApplication::exec() != 0) return 1;
  std::printf("rss_growth_mb: %.2f\n", last.residentMb - first.residentMb);
  std::printf("heap_growth_mb: %.2f\n", last.heapInUseMb - first.heapInUseMb);
  return 0;
}

std::map<std::string, double> figuresIn(const std::string& output) {
  std::map<std::string, double> figures;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t colon = line.find(": ");
    if (colon != std::string::npos)
      figures[line.substr(0, colon)] = std::strtod(line.c_str() + colon + 2, nullptr);
  }
  return figures;
}

std::string selfPath() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

std::vector<std::string> childArguments(const char* mode, QSize size) {
  return {selfPath(), mode, std::to_string(size.width()), std::to_string(size.height())};
}

std::map<std::string, double> figuresOfChild(const char* mode, QSize size) {
  const bench::ChildRun run = bench::runChild(childArguments(mode, size));
  if (!run.succeeded) {
    std::fprintf(stderr, "the %s run at %d x %d failed\n", mode, size.width(), size.height());
    std::exit(1);
  }
  return figuresIn(run.output);
}

double cpuSeconds(const std::vector<std::string>& arguments) {
  const bench::ChildRun run = bench::runChild(arguments);
  if (!run.succeeded) {
    std::fprintf(stderr, "%s failed\n", arguments.front().c_str());
    std::exit(1);
  }
  return run.cpuSeconds;
}

// The same source and conversion as the device's pipeline, into a fakesink, for as many frames
// as our run previews.
std::vector<std::string> gstBaseline(QSize size) {
  const std::string caps = "video/x-raw,width=" + std::to_string(size.width()) +
                           ",height=" + std::to_string(size.height()) +
                           ",framerate=" + std::to_string(kSourceRate) + "/1";
  std::vector<std::string> arguments{"gst-launch-1.0", "-q"};
  std::istringstream source(kTestCameraSource);
  for (std::string word; source >> word;) arguments.push_back(word);
  for (const std::string& word :
       {"num-buffers=" + std::to_string(kPreviewSeconds * kSourceRate), std::string("!"), caps,
        std::string("!"), std::string("videoconvert"), std::string("!"),
        std::string("video/x-raw,format=BGRx"), std::string("!"), std::string("fakesink"),
        std::string("sync=false")})
    arguments.push_back(word);
  return arguments;
}

std::string sizeName(QSize size) {
  return std::to_string(size.height()) + "p";
}

int measure() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("VELTRIX_TEST_CAMERA", "1", 1);
  const QSize sizes[] = {{1280, 720}, {1920, 1080}};

  std::map<std::string, double> figures;
  double worstAge = 0, worstStall = 0, worstFirstFrame = 0;
  for (const QSize size : sizes) {
    std::map<std::string, double> watched = figuresOfChild("watch", size);
    figures["preview_fps_" + sizeName(size)] = watched["fps"];
    worstAge = std::max(worstAge, watched["age_p95_ms"]);
    worstStall = std::max(worstStall, watched["stall_max_ms"]);
    worstFirstFrame = std::max(worstFirstFrame, watched["first_frame_ms"]);
  }
  figures["frame_age_p95_ms"] = worstAge;
  figures["gui_stall_max_ms"] = worstStall;
  figures["first_frame_ms"] = worstFirstFrame;

  for (const QSize size : sizes) {
    const bench::PairedTimes cpu = bench::alternateFigures(
        kCpuPairs, [&] { return cpuSeconds(childArguments("preview", size)); },
        [&] { return cpuSeconds(gstBaseline(size)); });
    std::fprintf(stderr, "cpu seconds at %s, medians: ours %.2f, gst-launch %.2f\n",
                 sizeName(size).c_str(), cpu.oursSeconds, cpu.peerSeconds);
    figures["cpu_vs_gst_baseline_" + sizeName(size)] = cpu.ratio;
  }

  std::map<std::string, double> memory = figuresOfChild("memory", sizes[1]);
  figures["rss_growth_mb_2min"] = memory["rss_growth_mb"];
  figures["heap_in_use_growth_mb_2min"] = memory["heap_growth_mb"];

  for (const char* name :
       {"preview_fps_720p", "preview_fps_1080p", "frame_age_p95_ms", "cpu_vs_gst_baseline_720p",
        "cpu_vs_gst_baseline_1080p", "gui_stall_max_ms", "first_frame_ms", "rss_growth_mb_2min",
        "heap_in_use_growth_mb_2min"})
    std::printf("%s: %.2f\n", name, figures[name]);
  return 0;
}

}  // namespace

// Without arguments: every figure. "MODE WIDTH HEIGHT": one child run of watch, preview or
// memory.
int main(int argc, char* argv[]) {
  if (argc < 4) return measure();
  QApplication application(argc, argv);
  const std::string mode = argv[1];
  const QSize size(std::atoi(argv[2]), std::atoi(argv[3]));
  if (mode == "watch") return watch(size);
  if (mode == "preview") return preview(size);
  if (mode == "memory") return memory(size);
  return 2;
}
