// The small modal window that asks for a name after every picture and moves the picture from
// its temporary file to that name in the save folder.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace veltrix {

class Prompter;

struct NamePopupSetup {
  bool batchMode = false;  // a crop of a batch picture rather than a camera photo
  QString folder;
  QString ext;  // lower case with the dot, e.g. ".jpg"
  QString temporaryPath;
};

class NamePopup : public QDialog {
  Q_OBJECT
 public:
  NamePopup(Prompter& prompter, NamePopupSetup setup, QWidget* parent = nullptr);

  // Where the picture went; empty until a name is confirmed.
  QString savedPath() const { return savedPath_; }

 private:
  void confirm();

  Prompter& prompter_;
  NamePopupSetup setup_;
  QLineEdit* nameBox_;
  QPushButton* confirmButton_;
  QString savedPath_;
};

}  // namespace veltrix
