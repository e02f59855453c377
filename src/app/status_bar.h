// The main window's two-part status bar: the hint on the left, the batch mode indicator
// (a check box picture and its text) on the right.
#pragma once

#include <QWidget>

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
  void setBatchIndicator(bool on);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void placeParts();

  QLabel* hint_;
  QLabel* indicatorImage_;
  QLabel* indicatorText_;
  int part0Width_ = 0;
};

}  // namespace veltrix
