// The batch and quick-shoot settings sections written again and again as confirming their
// settings windows writes them, every value telling the round it belongs to: after a kill each
// section is one round's set whole, and the program starts and reads it.
#include <QDir>
#include <cstdio>

#include "app/program.h"
#include "batch/batch_settings.h"
#include "camera/quick_shot_settings.h"
#include "kill/kill_cases.h"
#include "kill/kill_support.h"
#include "settings/ini_document.h"
#include "settings/settings_keys.h"

namespace veltrix::kill {
namespace {

QStringList sizeTexts(int round) {
  return {QString::number(100 + round % 900), QString::number(200 + round % 700),
          QString::number(10 + round % 50), QString::number(20 + round % 60),
          QString::number(72 + round % 500)};
}

QString jpgText(int round) {
  return QString::number(10 + round % 990);
}

BatchTask batchOfRound(const QString& home, int round) {
  BatchTask batch;
  batch.namingRule = kBatchRules[static_cast<size_t>(round) % kBatchRules.size()];
  batch.customName = QStringLiteral("批次%1").arg(round);
  batch.saveFormat = round % 2 ? QStringLiteral(".PNG") : QStringLiteral(".JPG");
  batch.saveFolder = home + QStringLiteral("/out/%1").arg(round);
  batch.sourceFolder = home + QStringLiteral("/source/%1").arg(round);
  batch.cropSound = round % 3 == 0;
  batch.keepSettings = true;
  return batch;
}

QuickShotSettings quickOfRound(const QString& home, int round) {
  QuickShotSettings quick;
  quick.quickNamingRule = kQuickRules[static_cast<size_t>(round) % kQuickRules.size()];
  quick.quickCustomName = QStringLiteral("速拍%1").arg(round);
  quick.quickSaveFormat = round % 2 ? QStringLiteral(".JPG") : QStringLiteral(".BMP");
  quick.quickSaveFolder = home + QStringLiteral("/shots/%1").arg(round);
  quick.shutterSound = round % 5 == 0;
  quick.quickKeepSettings = true;
  return quick;
}

void writeRound(const QString& file, const QString& home, int round) {
  writeBatchSettings(file, batchOfRound(home, round), sizeTexts(round), jpgText(round));
  writeQuickShotSettings(file, quickOfRound(home, round), sizeTexts(round + 1), jpgText(round + 1));
}

// The round a section's custom name tells, or -1.
int roundOf(const IniDocument& settings, const char* section, const char* prefix) {
  const QString name =
      settings.value(QString::fromUtf8(section), QString::fromUtf8(kCustomNameKey));
  if (!name.startsWith(QString::fromUtf8(prefix))) return -1;
  bool ok = false;
  const int round = name.sliced(QString::fromUtf8(prefix).size()).toInt(&ok);
  return ok ? round : -1;
}

// Whether the section holds exactly the keys that round wrote, as the same writes into an empty
// file of the round's own would hold them.
bool sectionOfRound(const IniDocument& settings, const char* section, const QString& home,
                    int round) {
  const QString path = home + QStringLiteral("/round.ini");
  QFile::remove(path);
  if (QString::fromUtf8(section) == QString::fromUtf8(kBatchSection))
    writeBatchSettings(path, batchOfRound(home, round), sizeTexts(round), jpgText(round));
  else
    writeQuickShotSettings(path, quickOfRound(home, round), sizeTexts(round + 1),
                           jpgText(round + 1));
  const std::optional<IniDocument> alone = IniDocument::load(path);
  QFile::remove(path);
  if (!alone) return false;
  for (const char* key :
       {kNamingRuleKey, kCustomNameKey, kSaveFormatKey, kSaveFolderKey, kSourceFolderKey,
        kCropSoundKey, kShutterSoundKey, kKeepSettingsKey, kPixelWidthKey, kPixelHeightKey,
        kMillimetreWidthKey, kMillimetreHeightKey, kDpiKey, kJpgSizeKey}) {
    const QString sectionName = QString::fromUtf8(section);
    const QString keyName = QString::fromUtf8(key);
    if (settings.value(sectionName, keyName) != alone->value(sectionName, keyName)) return false;
  }
  return true;
}

int setup(const QString& home) {
  prepareHome(home);
  writeRound(settingsFileOf(home), home, 0);
  return 0;
}

int run(const QString& home, quint32 seed) {
  const QString file = settingsFileOf(home);
  markReady(home);
  for (int round = static_cast<int>(seed % 1000000) + 1;; ++round) writeRound(file, home, round);
}

int check(const QString& home) {
  const std::optional<IniDocument> settings = IniDocument::load(settingsFileOf(home));
  if (!settings) return damaged(QStringLiteral("the settings file is unreadable"));
  const int batchRound = roundOf(*settings, kBatchSection, "批次");
  const int quickRound = roundOf(*settings, kQuickShotSection, "速拍");
  if (batchRound < 0 || !sectionOfRound(*settings, kBatchSection, home, batchRound))
    return damaged(QStringLiteral("the batch section is no round's whole set"));
  if (quickRound < 0 || !sectionOfRound(*settings, kQuickShotSection, home, quickRound))
    return damaged(QStringLiteral("the quick-shoot section is no round's whole set"));
  const std::optional<int> strays = startsAndReads(home, [&](const Program& program) {
    const BatchTask batch = batchOfRound(home, batchRound);
    const QuickShotSettings quick = quickOfRound(home, quickRound);
    return program.batch.customName == batch.customName &&
           program.batch.saveFolder == batch.saveFolder &&
           program.batch.namingRule == batch.namingRule &&
           program.quickShot.quickCustomName == quick.quickCustomName &&
           program.quickShot.quickSaveFormat == quick.quickSaveFormat;
  });
  if (!strays) return damaged(QStringLiteral("the program did not start soundly"));
  std::printf("sound: batch round %d, quick-shoot round %d, %d strays\n", batchRound, quickRound,
              *strays);
  return 0;
}

}  // namespace

KillCase settingsCase() {
  return {"settings", 0.5, setup, run, check};
}

}  // namespace veltrix::kill
