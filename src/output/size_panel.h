// The size panel on the right of the main window: the pages "像素法" and "DPI法" with the
// output size boxes, the JPG size box, the frame colour and the frame move and crop buttons.
#pragma once

#include <QWidget>

class QComboBox;
class QTabBar;

namespace veltrix {

class Prompter;

class SizePanel : public QWidget {
  Q_OBJECT
 public:
  SizePanel(Prompter& prompter, QWidget* parent);

  // Puts the frame move and crop buttons of both pages around the middle line m.
  void placeFrameButtons(int middle);
  QComboBox* sizeTypeCombo() const { return sizeType_; }
  QTabBar* tabBar() const { return tabs_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* addPage(const char* name);
  void addSharedControls(QWidget* page, const QString& prefix, Prompter& prompter);

  QTabBar* tabs_;
  QComboBox* sizeType_ = nullptr;
  QList<QWidget*> pages_;
};

}  // namespace veltrix
