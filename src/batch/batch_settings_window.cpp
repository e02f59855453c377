#include "batch/batch_settings_window.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "batch/batch_controller.h"
#include "batch/batch_settings.h"
#include "batch/folder_scan.h"
#include "batch/task_file.h"
#include "batch/texts.h"
#include "platform/prompter.h"
#include "platform/utf8.h"
#include "save/series_form.h"
#include "settings/settings_keys.h"
#include "widgets/design_place.h"

namespace veltrix {

using namespace batch_texts;

BatchSettingsWindow::BatchSettingsWindow(BatchTask& batch, BatchController& controller,
                                         BatchHost& host, Prompter& prompter,
                                         const QString& settingsFolder, QWidget* parent)
    : QDialog(parent),
      batch_(batch),
      controller_(controller),
      host_(host),
      prompter_(prompter),
      settingsFolder_(settingsFolder) {
  setObjectName(QStringLiteral("BatchSettingsWindow"));
  setWindowTitle(u8(kSettingsTitle));
  setFixedSize(kClientWidth, kClientHeight);
  const QFont song(QStringLiteral("宋体"), font().pointSize());

  place(new QLabel(u8(kSourceLabel), this), "标签4", {10, 12, 80, 24});
  sourceBox_ = place(new QLineEdit(this), "批截目标目录编辑框", {90, 12, 268, 24});
  auto* browseSource =
      place(new QPushButton(u8(kBrowseSource), this), "浏览批截目标目录按钮", {362, 12, 94, 24});
  place(new QLabel(u8(kSaveLabel), this), "标签1", {10, 48, 80, 24});
  saveBox_ = place(new QLineEdit(this), "批截保存目录编辑框", {90, 48, 268, 24});
  auto* browseSave =
      place(new QPushButton(u8(kBrowseSave), this), "浏览批截保存目录按钮", {362, 48, 94, 24});
  place(new QLabel(u8(kFormatLabel), this), "标签3", {10, 84, 80, 24});
  formatList_ = place(new SaveFormatList(this), "批截格式组合框", {90, 84, 368, 22});
  place(new QLabel(u8(kRuleLabel), this), "标签2", {10, 120, 80, 24});
  ruleList_ = place(new NamingRuleList(kBatchRules, kBatchNamingRules, this), "批截命名方式组合框",
                    {90, 120, 368, 22});
  cropSoundBox_ = place(new QCheckBox(u8(kCropSoundBox), this), "裁切声选择框", {64, 156, 144, 24});
  keepBox_ =
      place(new QCheckBox(u8(kKeepSettingsBox), this), "保存批截设置选择框", {232, 156, 180, 24});
  auto* confirmButton =
      place(new QPushButton(u8(kConfirm), this), "确定批截设置按钮", {194, 189, 80, 32});
  // Beside the confirm button, where the window has room without growing; made after it, so that
  // Tab still reaches the confirm button straight from the keep box.
  autoFrameBox_ =
      place(new QCheckBox(u8(kAutoFrameBox), this), "自动框选头像选择框", {64, 193, 124, 24});
  for (QWidget* control : std::initializer_list<QWidget*>{
           sourceBox_, saveBox_, formatList_, ruleList_, cropSoundBox_, keepBox_, autoFrameBox_})
    control->setFont(song);

  // Opening the window takes the letters back for typing.
  controller_.releaseNavigationKeys();
  batch_.settingsConfirmed = false;
  if (!batch_.sourceFolder.isEmpty()) sourceBox_->setText(batch_.sourceFolder + u'/');
  if (!batch_.saveFolder.isEmpty()) saveBox_->setText(batch_.saveFolder + u'/');

  formatList_->select(batch_.saveFormat);
  ruleList_->select(batch_.namingRule);
  cropSoundBox_->setChecked(batch_.cropSound);
  autoFrameBox_->setChecked(batch_.autoFrameHead);
  keepBox_->setChecked(batch_.keepSettings);

  connect(formatList_, &QComboBox::activated, this,
          [this](int index) { batch_.saveFormat = SaveFormatList::formatAt(index); });
  connect(ruleList_, &NamingRuleList::ruleChosen, this, [this](NamingRule rule) {
    batch_.namingRule = rule;
    if (rule != NamingRule::Spreadsheet) host_.closeNamingWindow();
  });
  connect(cropSoundBox_, &QCheckBox::clicked, this, [this](bool on) { batch_.cropSound = on; });
  connect(autoFrameBox_, &QCheckBox::clicked, this, [this](bool on) { batch_.autoFrameHead = on; });
  connect(browseSource, &QPushButton::clicked, this,
          [this] { sourceBox_->setText(prompter_.browseFolder(this, u8(kBrowseSourceTitle))); });
  connect(browseSave, &QPushButton::clicked, this,
          [this] { saveBox_->setText(prompter_.browseFolder(this, u8(kBrowseSaveTitle))); });
  // Enter confirms, wherever it is pressed: the prefix typed into the naming list ends with it,
  // and it must not open a folder browser that empties a folder box.
  confirmButton->setDefault(true);
  connect(confirmButton, &QPushButton::clicked, this, &BatchSettingsWindow::confirm);
  sourceBox_->setFocus();
}

bool BatchSettingsWindow::refuse(const char* text) {
  prompter_.message(this, u8(kRefusalTitle), u8(text), PromptIcon::Information, PromptButtons::Ok);
  return false;
}

void BatchSettingsWindow::confirm() {
  const BatchSettingsForm form{sourceBox_->text(), saveBox_->text(),
                               ruleList_->customText(batch_.customName)};
  switch (checkBatchSettings(form, batch_.namingRule)) {
    case FormRefusal::SourceMissing:
      refuse(kSourceMissing);
      return;
    case FormRefusal::SaveMissing:
      refuse(kSaveMissing);
      return;
    case FormRefusal::CustomEmpty:
      refuse(kCustomEmpty);
      ruleList_->setFocus();
      return;
    case FormRefusal::SameFolder:
      batch_.sourceFolder = keptFolder(form.sourceFolder);
      batch_.saveFolder = keptFolder(form.saveFolder);
      refuse(kSameFolder);
      saveBox_->clear();
      return;
    case FormRefusal::None:
      break;
  }
  // A batch confirmed again over the same folders (after a resume found its folder missing, say)
  // goes on with its task instead of losing the records.
  const bool sameFolders = sameFolder(batch_.sourceFolder, form.sourceFolder) &&
                           sameFolder(batch_.saveFolder, form.saveFolder);
  batch_.sourceFolder = keptFolder(form.sourceFolder);
  batch_.saveFolder = keptFolder(form.saveFolder);
  batch_.customName = form.customText.trimmed();
  batch_.keepSettings = keepBox_->isChecked();
  writeBatchSettings(settingsFolder_ + u'/' + u8(kSettingsFileName), batch_, host_.sizeTexts(),
                     host_.jpgLimitText());

  batch_.entryCount = 0;
  if (!sameFolders || !controller_.takeUpStoredTask()) {
    // Other folders start a new task at its first picture.
    QFile::remove(taskFilePath(settingsFolder_));
    const QStringList names = scanSourceFolder(batch_.sourceFolder);
    if (!names.isEmpty())
      controller_.startTask(names);
    else
      prompter_.notify(this, u8(kNoPictures));
  }
  batch_.active = true;
  batch_.indicatorOn = true;
  host_.setIndicator(true);
  controller_.registerNavigationKeys();
  if (batch_.namingRule == NamingRule::Spreadsheet) host_.showNamingWindow();
  batch_.settingsConfirmed = true;
  accept();
}

void BatchSettingsWindow::done(int result) {
  if (!batch_.settingsConfirmed && !batch_.active) {
    batch_.indicatorOn = false;
    host_.setIndicator(false);
    host_.showProgramCaption();
    controller_.releaseNavigationKeys();
  }
  // A look at the settings of a running batch gives the letters back to it.
  if (!batch_.settingsConfirmed && batch_.active) controller_.registerNavigationKeys();
  QDialog::done(result);
  if (parentWidget()) parentWidget()->activateWindow();
}

}  // namespace veltrix
