// The up/down arrow pair placed right of an edit box. A press only reports a step of +1 or -1;
// the owner of the box decides what the step does to its text.
#pragma once

#include <QWidget>

class QLineEdit;

namespace veltrix {

class SpinButtons : public QWidget {
  Q_OBJECT
 public:
  // Placed directly to the right of buddy, as tall as it.
  explicit SpinButtons(QLineEdit* buddy);

  QLineEdit* buddy() const { return buddy_; }

 signals:
  void stepped(int step);

 private:
  QLineEdit* buddy_;
};

}  // namespace veltrix
