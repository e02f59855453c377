// The batch at work: `setup` makes a source folder and kept batch settings, `run` resumes the
// batch and moves through it and crops until it is killed, `check` finds the task file sound and
// every picture recorded as cropped written whole.
#include <QDir>
#include <QRandomGenerator>
#include <QTest>
#include <cstdio>

#include "app/main_window.h"
#include "app/program.h"
#include "app/status_bar.h"
#include "batch/task_file.h"
#include "codec/image_codec.h"
#include "kill/kill_cases.h"
#include "kill/kill_support.h"
#include "program_fixture.h"
#include "settings/ini_document.h"
#include "settings/number_rules.h"
#include "settings/settings_store.h"

namespace veltrix::kill {
namespace {

int setup(const QString& home) {
  prepareHome(home);
  QDir().mkpath(home + QStringLiteral("/source"));
  for (int i = 0; i < 500; ++i) {
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(qRgb(i % 256, (i * 7) % 256, (i * 13) % 256));
    picture.save(home + QStringLiteral("/source/p%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
  }
  const SettingsStore store(settingsFileOf(home));
  const QString section = QStringLiteral("批量截图");
  const QList<QPair<QString, QString>> keys = {
      {QStringLiteral("命名方式"), QStringLiteral("0")},
      {QStringLiteral("保存格式"), QStringLiteral(".JPG")},
      {QStringLiteral("待截图目录"), home + QStringLiteral("/source")},
      {QStringLiteral("像素宽"), QStringLiteral("40")},
      {QStringLiteral("像素高"), QStringLiteral("30")},
      {QStringLiteral("DPI"), QStringLiteral("160")},
  };
  for (const auto& [key, value] : keys) store.write(section, key, value);
  return 0;
}

int run(const QString& home, quint32 seed) {
  test::ProgramFixture fixture;
  ProgramEnvironment environment = fixture.environment();
  environment.programFolder = programFolderOf(home);
  Program program(fixture.services(), environment);
  markReady(home);
  MainWindow window(program);
  window.start();
  // A left click on the batch indicator resumes; the question is answered yes.
  auto* bar = window.findChild<StatusBar*>(QStringLiteral("状态条1"));
  const int x = program.shell.lastOuterWidth - program.shell.widthCorrection - 100;
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(x, bar->height() / 2));
  QRandomGenerator random(seed);
  for (;;) {
    const quint32 action = random.bounded(10);
    if (action < 6)
      fixture.hotkeys.press(NavigationKey::D);
    else if (action < 7)
      fixture.hotkeys.press(NavigationKey::A);
    else
      window.saveCrop();
    // At the end of the task the next key says so; start again from the first picture.
    if (program.batch.position >= program.batch.entryCount && program.batch.entryCount > 0)
      for (int i = 0; i < 3; ++i) fixture.hotkeys.press(NavigationKey::A);
    fixture.prompter.records.clear();
    QCoreApplication::processEvents();
  }
}

// The task file holds N entries and a cursor in 1…N, and every entry recorded as cropped has its
// whole picture in the save folder.
int check(const QString& home) {
  const std::optional<int> copies = startsAndReads(home);
  if (!copies) return damaged(QStringLiteral("the program did not start soundly"));
  const int strays =
      *copies + takeStrays(home + QStringLiteral("/out"), {QStringLiteral("p\\d{4}\\.jpg")});
  const QString path = settingsFolderOf(home) + QStringLiteral("/批截任务.ini");
  if (!QFileInfo::exists(path)) return std::printf("no task yet, %d strays\n", strays), 0;
  const std::optional<IniDocument> document = IniDocument::load(path);
  if (!document) return damaged(QStringLiteral("task file unreadable"));
  const auto number = [&document](const char* key) {
    return leadingNumber(document->value(QString::fromUtf8(key), QString::fromUtf8(key)));
  };
  const double entries = number("最大位置");
  const double cursor = number("批截位置");
  if (entries < 1 || cursor < 1 || cursor > entries)
    return damaged(QStringLiteral("count %1, cursor %2").arg(entries).arg(cursor));
  int cropped = 0;
  for (int entry = 1; entry <= static_cast<int>(entries); ++entry) {
    const QString section = QString::number(entry);
    if (!document->hasSection(section)) return damaged(QStringLiteral("no entry %1").arg(entry));
    if (document->value(section, QStringLiteral("操作记录")) != QStringLiteral("已截图")) continue;
    const QString name = document->value(section, QStringLiteral("图片名"));
    const QString output = home + QStringLiteral("/out/") + QFileInfo(name).completeBaseName() +
                           QStringLiteral(".jpg");
    const std::optional<QImage> picture = decodePictureFile(output);
    if (!picture || picture->size() != QSize(40, 30))
      return damaged(QStringLiteral("entry %1 (%2) has no whole picture").arg(entry).arg(name));
    ++cropped;
  }
  std::printf("sound: %d entries, cursor %d, %d cropped, %d strays\n", static_cast<int>(entries),
              static_cast<int>(cursor), cropped, strays);
  return 0;
}

}  // namespace

KillCase batchCase() {
  return {"batch", 1.0, setup, run, check};
}

}  // namespace veltrix::kill
