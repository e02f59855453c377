#include "batch/batch_settings.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "platform/utf8.h"
#include "settings/ini_document.h"
#include "settings/settings_keys.h"

namespace veltrix {

QString keptFolder(QString folder) {
  if (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\'))) folder.chop(1);
  return folder;
}

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
  QString prefix = form.customText;
  if (rule == NamingRule::CustomPrefix && prefix.remove(u' ').isEmpty())
    return FormRefusal::CustomEmpty;
  if (sameFolder(form.sourceFolder, form.saveFolder)) return FormRefusal::SameFolder;
  return FormRefusal::None;
}

void writeBatchSettings(const QString& settingsFile, const BatchTask& batch,
                        const QStringList& sizeTexts, const QString& jpgText) {
  std::optional<IniDocument> settings = IniDocument::load(settingsFile);
  if (!settings) return;
  const bool keep = batch.keepSettings;
  const auto rule = std::find(kBatchRules.begin(), kBatchRules.end(), batch.namingRule);
  const bool jpg = batch.saveFormat == u8(kDefaultSaveFormat);
  const QString values[] = {
      QString::number(rule - kBatchRules.begin()),
      batch.customName,
      batch.saveFormat,
      batch.saveFolder,
      batch.sourceFolder,
      batch.cropSound ? u8(kFlagTrue) : QString(),
      u8(kFlagTrue),
      sizeTexts.value(0),
      sizeTexts.value(1),
      sizeTexts.value(2),
      sizeTexts.value(3),
      sizeTexts.value(4),
      jpg ? jpgText : QString(),
  };
  const char* keys[] = {kNamingRuleKey,   kCustomNameKey,      kSaveFormatKey,       kSaveFolderKey,
                        kSourceFolderKey, kCropSoundKey,       kKeepSettingsKey,     kPixelWidthKey,
                        kPixelHeightKey,  kMillimetreWidthKey, kMillimetreHeightKey, kDpiKey,
                        kJpgSizeKey};
  static_assert(std::size(keys) == std::size(values));
  for (size_t i = 0; i < std::size(keys); ++i)
    settings->set(u8(kBatchSection), u8(keys[i]), keep ? values[i] : QString());
  settings->save();
}

}  // namespace veltrix
