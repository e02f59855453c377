// The batch settings window: the folder to crop, where and in what format the crops go, the
// naming rule and the crop sound; confirming checks them, keeps them if asked, builds a new task
// and starts the batch.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace veltrix {

class BatchController;
class BatchHost;
class NamingRuleList;
class Prompter;
class SaveFormatList;
struct BatchTask;

class BatchSettingsWindow : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 466;
  static constexpr int kClientHeight = 236;

  BatchSettingsWindow(BatchTask& batch, BatchController& controller, BatchHost& host,
                      Prompter& prompter, const QString& settingsFolder, QWidget* parent);

 protected:
  void done(int result) override;

 private:
  void confirm();
  bool refuse(const char* text);

  BatchTask& batch_;
  BatchController& controller_;
  BatchHost& host_;
  Prompter& prompter_;
  const QString& settingsFolder_;
  QLineEdit* sourceBox_;
  QLineEdit* saveBox_;
  SaveFormatList* formatList_;
  NamingRuleList* ruleList_;
  QCheckBox* cropSoundBox_;
  QCheckBox* autoFrameBox_;
  QCheckBox* keepBox_;
};

}  // namespace veltrix
