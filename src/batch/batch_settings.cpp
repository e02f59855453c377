#include "batch/batch_settings.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "platform/utf8.h"
#include "save/series_form.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"

namespace veltrix {

bool sameFolder(const QString& a, const QString& b) {
  struct stat first {};
  struct stat second {};
  return stat(QFile::encodeName(a).constData(), &first) == 0 &&
         stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

FormRefusal checkBatchSettings(const BatchSettingsForm& form, NamingRule rule) {
  if (form.sourceFolder.isEmpty() || !QFileInfo(form.sourceFolder).isDir())
    return FormRefusal::SourceMissing;
  if (form.saveFolder.isEmpty() || !QFileInfo(form.saveFolder).isDir())
    return FormRefusal::SaveMissing;
  if (customPrefixMissing(rule, form.customText)) return FormRefusal::CustomEmpty;
  if (sameFolder(form.sourceFolder, form.saveFolder)) return FormRefusal::SameFolder;
  return FormRefusal::None;
}

void writeBatchSettings(const QString& settingsFile, const BatchTask& batch,
                        const QStringList& sizeTexts, const QString& jpgText) {
  const bool keep = batch.keepSettings;
  const auto rule = std::find(kBatchRules.begin(), kBatchRules.end(), batch.namingRule);
  const bool jpg = batch.saveFormat == u8(kDefaultSaveFormat);
  const auto kept = [keep](const QString& text) { return keep ? text : QString(); };
  const SettingsStore::KeyText keys[] = {
      {kNamingRuleKey, kept(QString::number(rule - kBatchRules.begin()))},
      {kCustomNameKey, kept(batch.customName)},
      {kSaveFormatKey, kept(batch.saveFormat)},
      {kSaveFolderKey, kept(batch.saveFolder)},
      {kSourceFolderKey, kept(batch.sourceFolder)},
      {kCropSoundKey, kept(batch.cropSound ? u8(kFlagTrue) : QString())},
      {kKeepSettingsKey, kept(u8(kFlagTrue))},
      {kPixelWidthKey, kept(sizeTexts.value(0))},
      {kPixelHeightKey, kept(sizeTexts.value(1))},
      {kMillimetreWidthKey, kept(sizeTexts.value(2))},
      {kMillimetreHeightKey, kept(sizeTexts.value(3))},
      {kDpiKey, kept(sizeTexts.value(4))},
      {kJpgSizeKey, kept(jpg ? jpgText : QString())},
      {kAutoFrameKey, kept(batch.autoFrameHead ? u8(kFlagTrue) : QString())},
  };
  SettingsStore(settingsFile).write(u8(kBatchSection), keys);
}

}  // namespace veltrix
