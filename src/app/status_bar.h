// The main window's two-part status bar: the hint on the left, the batch mode indicator
// (a check box and its text) on the right.
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;

namespace veltrix {

class StatusBar : public QWidget {
  Q_OBJECT
 public:
  explicit StatusBar(QWidget* parent);

  void setHintText(const QString& text);
  QString hintText() const;
  void setPart0Width(int width);
  int part0Width() const { return part0Width_; }
  // Shows the batch state; it never counts as the user's toggle.
  void setBatchIndicator(bool on);

 signals:
  // The user toggled the indicator without the mouse: with the keyboard (Tab to it, Space) or
  // through an assistive technology. Mouse presses reach the status bar itself.
  void indicatorToggled();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void placeParts();

  QLabel* hint_;
  QCheckBox* indicator_;
  int part0Width_ = 0;
};

}  // namespace veltrix
