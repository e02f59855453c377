// How long one key takes to read and write in a batch task file of a large folder, where
// every read and write goes to the file. Peer: QSettings parsing the same file.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "settings/ini_file.h"
#include "settings/settings_store.h"

namespace {

using namespace veltrix;

// A task file as a batch of n pictures leaves it: a cursor, a count and two keys an entry.
QString makeTaskFile(const QTemporaryDir& dir, int entries) {
  const QString path = dir.filePath(QStringLiteral("task.ini"));
  QByteArray text =
      "[批截位置]\r\n批截位置=1\r\n[最大位置]\r\n最大位置=" + QByteArray::number(entries) + "\r\n";
  for (int i = 1; i <= entries; ++i) {
    text += "[" + QByteArray::number(i) + "]\r\n操作记录=未截图\r\n图片名=IMG_" +
            QByteArray::number(100000 + i) + ".JPG\r\n";
  }
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(text);
  return path;
}

void readLastEntry(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = makeTaskFile(dir, static_cast<int>(state.range(0)));
  const QString section = QString::number(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(iniRead(path, section, QStringLiteral("图片名")));
}
BENCHMARK(readLastEntry)->Arg(100)->Arg(2000)->Unit(benchmark::kMicrosecond);

void writeLastEntry(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = makeTaskFile(dir, static_cast<int>(state.range(0)));
  const QString section = QString::number(state.range(0));
  for (auto _ : state)
    iniWrite(path, section, QStringLiteral("操作记录"), QStringLiteral("已截图"));
}
BENCHMARK(writeLastEntry)->Arg(100)->Arg(2000)->Unit(benchmark::kMicrosecond);

void peerQSettingsReadLastEntry(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = makeTaskFile(dir, static_cast<int>(state.range(0)));
  const QString key = QString::number(state.range(0)) + QStringLiteral("/图片名");
  for (auto _ : state) {
    QSettings settings(path, QSettings::IniFormat);
    benchmark::DoNotOptimize(settings.value(key));
  }
}
BENCHMARK(peerQSettingsReadLastEntry)->Arg(100)->Arg(2000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
