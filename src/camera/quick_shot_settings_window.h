// The quick-shoot settings window "批量速拍设置": where quick-shoot photos go, in what format and
// under what name, and the shutter sound. Confirming checks the folder and the custom prefix,
// switches quick-shoot mode on and keeps the settings for next time when asked.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace veltrix {

class CameraHost;
class NamingRuleList;
class Prompter;
class SaveFormatList;
struct QuickShotSettings;

class QuickShotSettingsWindow : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 466;
  static constexpr int kClientHeight = 225;

  QuickShotSettingsWindow(QuickShotSettings& quick, Prompter& prompter, QString settingsFile,
                          CameraHost& host, QWidget* parent);

 protected:
  void done(int result) override;

 private:
  void confirm();
  void refuse(const char* text);

  QuickShotSettings& quick_;
  Prompter& prompter_;
  QString settingsFile_;
  CameraHost& host_;
  QLineEdit* folderBox_;
  SaveFormatList* formatList_;
  NamingRuleList* ruleList_;
  QCheckBox* shutterBox_;
  QCheckBox* keepBox_;
};

}  // namespace veltrix
