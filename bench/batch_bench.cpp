// Batch mode's figures. The task file's operations on a batch of 10,000 pictures, each as the
// program does it: the file read, changed and written once; the pictures are empty files named
// like a camera's, as decoding is not what they measure. And the step from one 24-megapixel
// photo to the next, beside libjpeg-turbo decoding that photo on its own. Prints one
// "name: value" line a figure.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <vector>

#include "batch/batch_controller.h"
#include "batch/folder_scan.h"
#include "batch/task_file.h"
#include "bench_pictures.h"
#include "paired_runs.h"
#include "silent_prompter.h"
#include "view_host.h"

namespace {

using namespace veltrix;
using bench::median;
using bench::NoHotkeys;
using bench::secondsOf;
using bench::SilentPrompter;
using bench::ViewHost;

constexpr int kPictures = 10000;

void touch(const QString& path) {
  QFile file(path);
  file.open(QIODevice::WriteOnly);
}

double medianMs(int runs, const std::function<void()>& work,
                const std::function<void()>& between = {}) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    if (between) between();
    times.push_back(secondsOf(work) * 1000);
  }
  return median(times);
}

void createTask(const QString& folder, const QString& path) {
  std::optional<TaskFile> task = TaskFile::load(path);
  task->create(scanSourceFolder(folder));
  task->save();
}

// D pressed after the user has framed the current photo for a while, until the next is shown,
// against a plain decode of that photo.
double nextVsDecode(const QTemporaryDir& dir) {
  const QString folder = dir.filePath(QStringLiteral("photos-24mp"));
  QDir().mkpath(folder);
  const QString first = bench::writeJpeg(dir, bench::makePhoto(6000, 4000), "24mp.jpg");
  constexpr int kPairs = 9;
  for (int i = 0; i <= kPairs + 1; ++i)
    QFile::copy(first, folder + QStringLiteral("/photo%1.jpg").arg(i, 2, 10, QLatin1Char('0')));

  BatchTask batch;
  batch.sourceFolder = folder;
  OutputSpec output;
  SilentPrompter prompter;
  NoHotkeys hotkeys;
  ViewHost host;
  const QString settings = dir.filePath(QStringLiteral("settings-24mp"));
  QDir().mkpath(settings);
  BatchController controller(batch, output, hotkeys, prompter, host, nullptr, settings);
  controller.navigate(NavigationKey::D, false);  // builds the task and shows the first photo
  std::vector<double> ratios;
  for (int i = 0; i < kPairs; ++i) {
    // The user frames the photo shown; meanwhile the next one is read ahead.
    QThread::msleep(1500);
    const double ours = secondsOf([&] { controller.navigate(NavigationKey::D, false); });
    const QString shown = folder + QLatin1Char('/') + batch.currentName;
    const double peer = secondsOf([&] { bench::plainDecode(shown); });
    ratios.push_back(ours / peer);
  }
  return median(ratios);
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("photos"));
  QDir().mkpath(folder);
  for (int i = 1; i <= kPictures; ++i)
    touch(folder + QStringLiteral("/IMG_%1.JPG").arg(100000 + i));
  const QString path = taskFilePath(dir.path());

  const double create = medianMs(
      7, [&] { createTask(folder, path); }, [&] { QFile::remove(path); });

  qint64 entry = 1;
  const double step = medianMs(21, [&] {
    std::optional<TaskFile> task = TaskFile::load(path);
    // A navigation key and a crop's record take turns.
    if (entry % 2)
      task->setCursor(entry);
    else
      task->markDone(entry);
    task->save();
    ++entry;
  });

  const double resume = medianMs(21, [&] {
    const std::optional<TaskFile> task = TaskFile::load(path);
    const qint64 at = task->cursor();
    volatile qsizetype read = task->count() + task->name(at).size() + task->record(at).size();
    (void)read;
  });

  QFile::remove(path);
  createTask(folder, path);
  const QString full = dir.filePath(QStringLiteral("full.ini"));
  QFile::copy(path, full);
  for (int i = 1; i <= 100; ++i) touch(folder + QStringLiteral("/NEW_%1.JPG").arg(i));
  const double append = medianMs(
      7,
      [&] {
        std::optional<TaskFile> task = TaskFile::load(path);
        task->appendNew(scanSourceFolder(folder));
        task->save();
      },
      [&] {
        QFile::remove(path);
        QFile::copy(full, path);
      });

  std::printf("task_create_10k_ms: %.1f\n", create);
  std::printf("task_step_10k_ms: %.1f\n", step);
  std::printf("task_append_10k_ms: %.1f\n", append);
  std::printf("task_resume_10k_ms: %.1f\n", resume);
  std::printf("next_24mp_vs_decode: %.3f\n", nextVsDecode(dir));
  return 0;
}
