// The camera window in quick-shoot mode: switching the mode, its settings window, the sizes it
// keeps, and the photo saved at once under the quick-shoot rule.
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <string_view>

#include "camera/camera_geometry.h"
#include "camera/camera_window.h"
#include "camera/preview_canvas.h"
#include "camera/quick_shot_settings.h"
#include "camera/quick_shot_settings_window.h"
#include "camera/texts.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/sound.h"
#include "platform/utf8.h"
#include "save/crop_save.h"
#include "save/name_popup.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"

namespace veltrix {
namespace {

using namespace camera_texts;

QByteArray shutterSound() {
  QFile clip(QStringLiteral(":/sounds/shutter.wav"));
  return clip.open(QIODevice::ReadOnly) ? clip.readAll() : QByteArray();
}

// The size boxes in the order the host gives their texts.
const char* const kSizeKeys[] = {kPixelWidthKey, kPixelHeightKey, kMillimetreWidthKey,
                                 kMillimetreHeightKey, kDpiKey};

}  // namespace

void CameraWindow::showQuickControls() {
  const bool quick = connected_ && quickShot_.quickMode;
  quickSettingsButton_->setVisible(quick);
  for (QLabel* bar : bars_) bar->setVisible(quick);
  for (QPushButton* button : moveButtons_) button->setVisible(quick);
}

void CameraWindow::quickShotBoxClicked(bool on) {
  quickShot_.quickMode = on;
  if (!on) host_.closeNamingWindow();
  if (on) {
    if (quickShot_.quickKeepSettings && !quickShot_.quickSettingsAsked) {
      // Asked once a run: the settings kept last time, size included, or new ones.
      if (services_.prompter.message(this, u8(kAskTitle), u8(kReuseQuestion), PromptIcon::Question,
                                     PromptButtons::YesNo) == PromptAnswer::Yes) {
        host_.restoreKeptSize(quickShot_.quickSaveFormat == u8(kDefaultSaveFormat));
        if (quickShot_.quickNamingRule == NamingRule::Spreadsheet) host_.showNamingWindow();
      } else {
        openQuickSettings();
      }
    } else if (quickShot_.quickKeepSettings) {
      keepSizes(
          {kPixelWidthKey, kPixelHeightKey, kMillimetreWidthKey, kMillimetreHeightKey, kDpiKey},
          true);
    }
    quickShot_.quickSettingsAsked = true;
    centreFrame();
    layoutFrame();
  }
  showQuickControls();
}

void CameraWindow::openQuickSettings() {
  const QString settingsFile = services_.settingsFolder + u'/' + u8(kSettingsFileName);
  QuickShotSettingsWindow window(quickShot_, services_.prompter, settingsFile, host_, this);
  quickSettings_ = &window;
  window.exec();
  quickSettings_ = nullptr;
  quickShotBox_->setChecked(connected_ && quickShot_.quickMode);
  showQuickControls();
}

void CameraWindow::keepSizes(std::initializer_list<const char*> keys, bool jpgLimit) {
  if (!quickShot_.quickKeepSettings) return;
  const QStringList texts = host_.sizeTexts();
  std::vector<SettingsStore::KeyText> kept;
  for (const char* key : keys) {
    // By text: the same key named in two source files need not be one pointer.
    const auto box = std::find_if(std::begin(kSizeKeys), std::end(kSizeKeys),
                                  [key](const char* k) { return std::string_view(k) == key; });
    kept.push_back({key, texts.value(static_cast<int>(box - std::begin(kSizeKeys)))});
  }
  if (jpgLimit && quickShot_.quickSaveFormat == u8(kDefaultSaveFormat))
    kept.push_back({kJpgSizeKey, host_.jpgLimitText()});
  SettingsStore(services_.settingsFolder + u'/' + u8(kSettingsFileName))
      .write(u8(kQuickShotSection), kept);
}

void CameraWindow::takeQuickShot() {
  Prompter& prompter = services_.prompter;
  const QString& folder = quickShot_.quickSaveFolder;
  if (!QFileInfo(folder).isDir()) {
    prompter.message(this, u8(kFolderNoticeTitle),
                     u8(folder.isEmpty() ? kFolderNotSet : kFolderMissing), PromptIcon::None,
                     PromptButtons::Ok);
    openQuickSettings();
    return;
  }
  // The frame's inner rectangle on the live picture as shown: one output pixel a shown pixel.
  // Pixels the camera did not send are never saved.
  const QRect inner(QPoint(state_.frameLeft, state_.frameTop) - kPreviewInGroup,
                    QSize(output_.pixelWidth, output_.pixelHeight));
  if (!preview_->shown().rect().contains(inner)) {
    refusePhoto(kFrameOutside);
    return;
  }
  std::optional<QString> sheetName;
  if (quickShot_.quickNamingRule == NamingRule::Spreadsheet) {
    bool declined = false;
    sheetName = host_.spreadsheetName(this, declined);
    if (declined) openQuickSettings();
    if (!sheetName) return;
  }
  NamingInputs inputs =
      quickNamingInputs(quickShot_, services_.settingsFolder, services_.clock.now());
  inputs.spreadsheetName = sheetName.value_or(QString());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const CropSaved saved =
      saveCropByRule({preview_->shown(), inner, output_.jpgLimitKb, output_.dpi},
                     quickShot_.quickNamingRule, inputs);
  // The shutter tells the person the photo is kept: only a written one is.
  if (saved.saved() && quickShot_.shutterSound) services_.sound.play(shutterSound());
  QApplication::restoreOverrideCursor();
  tellCropNotice(prompter, this, cropSaveNotice(saved, false));
  // A name that named no file stays for the next photo.
  if (saved.saved() && sheetName) host_.advanceSpreadsheetRow();
  if (saved.saved() && quickShot_.quickNamingRule == NamingRule::AskEveryTime) {
    NamePopup popup(prompter, {false, inputs.folder, inputs.ext, saved.path}, this);
    popup.exec();
  }
}

}  // namespace veltrix
