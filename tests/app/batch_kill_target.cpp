// The batch at work for the kill test: `setup` makes a source folder and kept batch settings,
// `run` resumes the batch and moves through it and crops until it is killed, `check` tells
// whether what a killed run left is sound. The kill test script drives it.
#include <QApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTest>
#include <cstdio>

#include "app/main_window.h"
#include "app/status_bar.h"
#include "batch/task_file.h"
#include "codec/image_codec.h"
#include "platform/text_codec.h"
#include "program_fixture.h"
#include "settings/ini_document.h"
#include "settings/number_rules.h"
#include "settings/settings_store.h"

namespace veltrix {
namespace {

QString settingsFolderOf(const QString& home) {
  return home + QStringLiteral("/program/头像采集设置");
}

int setup(const QString& home, int pictures) {
  QDir().mkpath(home + QStringLiteral("/source"));
  QDir().mkpath(home + QStringLiteral("/out"));
  QDir().mkpath(settingsFolderOf(home));
  for (int i = 0; i < pictures; ++i) {
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(qRgb(i % 256, (i * 7) % 256, (i * 13) % 256));
    picture.save(home + QStringLiteral("/source/p%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
  }
  const SettingsStore store(settingsFolderOf(home) + QStringLiteral("/set.dll"));
  const QString section = QStringLiteral("批量截图");
  const QList<QPair<QString, QString>> keys = {
      {QStringLiteral("命名方式"), QStringLiteral("0")},
      {QStringLiteral("保存格式"), QStringLiteral(".JPG")},
      {QStringLiteral("保存目录"), home + QStringLiteral("/out")},
      {QStringLiteral("待截图目录"), home + QStringLiteral("/source")},
      {QStringLiteral("是否保存设置"), QStringLiteral("真")},
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
  environment.programFolder = home + QStringLiteral("/program");
  Program program(fixture.services(), environment);
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
  const QString path = settingsFolderOf(home) + QStringLiteral("/批截任务.ini");
  if (!QFileInfo::exists(path)) return 0;
  const std::optional<IniDocument> document = IniDocument::load(path);
  if (!document) return std::fprintf(stderr, "task file unreadable\n"), 1;
  const auto number = [&document](const char* key) {
    return leadingNumber(document->value(QString::fromUtf8(key), QString::fromUtf8(key)));
  };
  const double entries = number("最大位置");
  const double cursor = number("批截位置");
  if (entries < 1 || cursor < 1 || cursor > entries)
    return std::fprintf(stderr, "count %g, cursor %g\n", entries, cursor), 1;
  int cropped = 0;
  for (int entry = 1; entry <= static_cast<int>(entries); ++entry) {
    const QString section = QString::number(entry);
    if (!document->hasSection(section)) return std::fprintf(stderr, "no entry %d\n", entry), 1;
    if (document->value(section, QStringLiteral("操作记录")) != QStringLiteral("已截图")) continue;
    const QString name = document->value(section, QStringLiteral("图片名"));
    const QString output = home + QStringLiteral("/out/") + QFileInfo(name).completeBaseName() +
                           QStringLiteral(".jpg");
    const std::optional<QImage> picture = decodePictureFile(output);
    if (!picture || picture->size() != QSize(40, 30))
      return std::fprintf(stderr, "entry %d (%s) has no whole picture\n", entry, qPrintable(name)),
             1;
    ++cropped;
  }
  std::printf("sound: %d entries, cursor %d, %d cropped\n", static_cast<int>(entries),
              static_cast<int>(cursor), cropped);
  return 0;
}

}  // namespace
}  // namespace veltrix

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const QStringList args = application.arguments();
  if (args.size() >= 3 && args[2] == QLatin1String("setup"))
    return veltrix::setup(args[1], args.value(3).toInt());
  if (args.size() >= 3 && args[2] == QLatin1String("run"))
    return veltrix::run(args[1], args.value(3).toUInt());
  if (args.size() >= 3 && args[2] == QLatin1String("check")) return veltrix::check(args[1]);
  std::fprintf(stderr, "usage: %s HOME setup N | run SEED | check\n", argv[0]);
  return 2;
}
