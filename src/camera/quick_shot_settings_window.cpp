#include "camera/quick_shot_settings_window.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "camera/camera_window.h"
#include "camera/quick_shot_settings.h"
#include "camera/texts.h"
#include "platform/prompter.h"
#include "platform/utf8.h"
#include "save/series_form.h"
#include "widgets/design_place.h"

namespace veltrix {

using namespace camera_texts;

QuickShotSettingsWindow::QuickShotSettingsWindow(QuickShotSettings& quick, Prompter& prompter,
                                                 QString settingsFile, CameraHost& host,
                                                 QWidget* parent)
    : QDialog(parent),
      quick_(quick),
      prompter_(prompter),
      settingsFile_(std::move(settingsFile)),
      host_(host) {
  setObjectName(QStringLiteral("QuickShotSettingsWindow"));
  setWindowTitle(u8(kSettingsTitle));
  setFixedSize(kClientWidth, kClientHeight);
  const QFont song(QStringLiteral("宋体"), font().pointSize());

  place(new QLabel(u8(kSaveLabel), this), "标签1", {10, 12, 80, 24});
  folderBox_ = place(new QLineEdit(this), "速拍保存目录编辑框", {90, 12, 268, 24});
  auto* browse = place(new QPushButton(u8(kBrowse), this), "浏览按钮", {362, 12, 94, 24});
  place(new QLabel(u8(kFormatLabel), this), "标签3", {10, 48, 80, 24});
  formatList_ = place(new SaveFormatList(this), "速拍格式组合框", {90, 48, 368, 22});
  place(new QLabel(u8(kRuleLabel), this), "标签2", {10, 84, 80, 24});
  ruleList_ = place(new NamingRuleList(kQuickRules, kQuickNamingRules, this), "速拍命名方式组合框",
                    {90, 84, 368, 22});
  shutterBox_ = place(new QCheckBox(u8(kShutterBox), this), "发快门声选择框", {92, 116, 144, 24});
  keepBox_ =
      place(new QCheckBox(u8(kKeepSettingsBox), this), "保存速拍设置选择框", {92, 148, 212, 24});
  auto* confirmButton =
      place(new QPushButton(u8(kConfirm), this), "确定速拍设置按钮", {194, 177, 80, 32});
  for (QWidget* control :
       std::initializer_list<QWidget*>{folderBox_, formatList_, ruleList_, shutterBox_, keepBox_})
    control->setFont(song);

  quick_.quickSettingsWindowOpen = true;
  if (!quick_.quickSaveFolder.isEmpty()) folderBox_->setText(quick_.quickSaveFolder + u'/');
  formatList_->select(quick_.quickSaveFormat);
  ruleList_->select(quick_.quickNamingRule);
  shutterBox_->setChecked(quick_.shutterSound);
  keepBox_->setChecked(quick_.quickKeepSettings);

  // Format, rule and shutter take effect as they are chosen; folder, prefix and keeping wait for
  // the confirm.
  connect(formatList_, &QComboBox::activated, this,
          [this](int index) { quick_.quickSaveFormat = SaveFormatList::formatAt(index); });
  connect(ruleList_, &NamingRuleList::ruleChosen, this, [this](NamingRule rule) {
    quick_.quickNamingRule = rule;
    if (rule != NamingRule::Spreadsheet) host_.closeNamingWindow();
  });
  connect(shutterBox_, &QCheckBox::clicked, this, [this](bool on) { quick_.shutterSound = on; });
  connect(browse, &QPushButton::clicked, this,
          [this] { folderBox_->setText(prompter_.browseFolder(this, u8(kBrowseTitle))); });
  // Enter confirms, wherever it is pressed: the prefix typed into the naming list ends with it,
  // and it must not open a folder browser that empties a folder box.
  confirmButton->setDefault(true);
  connect(confirmButton, &QPushButton::clicked, this, &QuickShotSettingsWindow::confirm);
  folderBox_->setFocus();
}

void QuickShotSettingsWindow::refuse(const char* text) {
  prompter_.message(this, u8(kRefusalTitle), u8(text), PromptIcon::Information, PromptButtons::Ok);
}

void QuickShotSettingsWindow::confirm() {
  const QString folder = folderBox_->text();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    refuse(kSaveMissing);
    return;
  }
  const QString prefix = ruleList_->customText(quick_.quickCustomName);
  if (customPrefixMissing(quick_.quickNamingRule, prefix)) {
    refuse(kCustomEmpty);
    ruleList_->setFocus();
    return;
  }
  quick_.quickMode = true;
  quick_.quickSaveFolder = keptFolder(folder);
  quick_.quickCustomName = prefix.trimmed();
  quick_.quickKeepSettings = keepBox_->isChecked();
  writeQuickShotSettings(settingsFile_, quick_, host_.sizeTexts(), host_.jpgLimitText());
  if (quick_.quickNamingRule == NamingRule::Spreadsheet) host_.showNamingWindow();
  accept();
}

void QuickShotSettingsWindow::done(int result) {
  quick_.quickSettingsWindowOpen = false;
  QDialog::done(result);
}

}  // namespace veltrix
