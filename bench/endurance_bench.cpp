// Endurance: 1,000 pictures moved through in a row as batch navigation does (the task file, the
// picture read ahead, the picture shown on the canvases), then 1,000 crops saved from the view as
// a batch saves them and recorded in the task. What counts is that memory does not creep: the
// resident memory's growth from after the first 10 to the end of each, in MB (goal: within 10).
// The heap the allocator has handed out is printed beside it, telling a leak apart from memory
// the allocator keeps for reuse. Prints one "name: value" line a figure.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "batch/batch_controller.h"
#include "bench_pictures.h"
#include "process_memory.h"
#include "save/crop_save.h"
#include "silent_prompter.h"
#include "view_host.h"

namespace {

using namespace veltrix;

constexpr int kRounds = 1000;
constexpr int kSettled = 10;

struct Growth {
  double residentMb = 0;
  double heapMb = 0;
};

// Runs `step` kRounds times and measures from after the first kSettled to the end.
Growth growthOver(const std::function<bool(int)>& step) {
  double residentFrom = 0;
  double heapFrom = 0;
  for (int round = 0; round < kRounds; ++round) {
    if (!step(round)) {
      std::fprintf(stderr, "round %d failed\n", round);
      return {NAN, NAN};
    }
    if (round + 1 == kSettled) {
      residentFrom = bench::residentMb();
      heapFrom = bench::heapInUseMb();
    }
  }
  return {bench::residentMb() - residentFrom, bench::heapInUseMb() - heapFrom};
}

// kRounds photos of a camera's usual size, hard links to a few distinct files so that the folder
// costs little disk; every name is a picture of its own to the batch.
bool makePhotos(const QTemporaryDir& dir, const QString& folder) {
  QDir().mkpath(folder);
  QStringList sources;
  for (int i = 0; i < 4; ++i) {
    const QByteArray name = "source" + QByteArray::number(i) + ".jpg";
    sources << bench::writeJpeg(dir, bench::makePhoto(3000 + 16 * i, 2000 + 8 * i),
                                name.constData());
  }
  for (int i = 0; i < kRounds; ++i) {
    const QString name = folder + QStringLiteral("/IMG_%1.JPG").arg(100000 + i);
    if (::link(QFile::encodeName(sources[i % 4]).constData(), QFile::encodeName(name)) != 0)
      return false;
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  QTemporaryDir dir;
  BatchTask batch;
  batch.sourceFolder = dir.filePath(QStringLiteral("photos"));
  batch.saveFolder = dir.filePath(QStringLiteral("crops"));
  QDir().mkpath(batch.saveFolder);
  if (!makePhotos(dir, batch.sourceFolder)) return 1;
  OutputSpec output;
  bench::SilentPrompter prompter;
  bench::NoHotkeys hotkeys;
  bench::ViewHost host;
  const QString settings = dir.filePath(QStringLiteral("settings"));
  QDir().mkpath(settings);
  BatchController controller(batch, output, hotkeys, prompter, host, nullptr, settings);

  // The first D builds the task and shows the first photo; each later one moves on.
  const Growth loads = growthOver([&](int) {
    const qint64 before = host.document.picture.cacheKey();
    controller.navigate(NavigationKey::D, false);
    return host.document.present && host.document.picture.cacheKey() != before;
  });

  const NamingInputs inputs =
      seriesNamingInputs(batch.saveFolder, QStringLiteral(".JPG"), QString(), settings, {});
  const Growth saves = growthOver([&](int) {
    const CropSource source{host.view.viewCanvas, host.kFrame.interior, output.jpgLimitKb,
                            output.dpi};
    if (!saveCropByRule(source, NamingRule::Sequence, inputs).saved()) return false;
    controller.markTaskPictureDone();
    return true;
  });
  if (QDir(batch.saveFolder).entryList(QDir::Files).size() != kRounds) return 1;

  std::printf("endurance_load_rss_growth_mb: %.2f\n", loads.residentMb);
  std::printf("endurance_load_heap_growth_mb: %.2f\n", loads.heapMb);
  std::printf("endurance_save_rss_growth_mb: %.2f\n", saves.residentMb);
  std::printf("endurance_save_heap_growth_mb: %.2f\n", saves.heapMb);
  return 0;
}
