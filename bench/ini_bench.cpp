// How long one key takes to read and to write in the task file of a large folder, where every
// read and write goes to the file. There is no fair peer: QSettings keeps a parsed file for the
// whole process and parses it once. Prints one "name: value" line a figure.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "paired_runs.h"
#include "settings/ini_file.h"

namespace {

using namespace veltrix;

// A task file as a batch of n pictures leaves it: a cursor, a count and two keys an entry.
QString makeTaskFile(const QTemporaryDir& dir, int entries) {
  const QString path = dir.filePath(QStringLiteral("task%1.ini").arg(entries));
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

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QTemporaryDir dir;
  for (int entries : {100, 2000, 10000}) {
    const QString path = makeTaskFile(dir, entries);
    const QString section = QString::number(entries);
    std::vector<double> reads;
    std::vector<double> writes;
    for (int i = 0; i < 21; ++i) {
      reads.push_back(bench::secondsOf([&] { iniRead(path, section, QStringLiteral("图片名")); }));
      writes.push_back(bench::secondsOf(
          [&] { iniWrite(path, section, QStringLiteral("操作记录"), QStringLiteral("已截图")); }));
    }
    std::printf("read_last_entry_%d_ms: %.3f\n", entries, bench::median(reads) * 1000);
    std::printf("write_last_entry_%d_ms: %.3f\n", entries, bench::median(writes) * 1000);
  }
  return 0;
}
