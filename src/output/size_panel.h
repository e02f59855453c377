// The size panel on the right of the main window: the pages "像素法" and "DPI法" with the
// output size boxes, the JPG size box, the frame colour and the frame move and crop buttons.
#pragma once

#include <QWidget>
#include <array>

#include "output/move_direction.h"

class QAbstractButton;
class QLineEdit;
class QTabBar;

namespace veltrix {

class ColourPicker;
class Prompter;
class ChoiceCombo;

// The controls of one page that both pages have.
struct PanelPage {
  QWidget* page = nullptr;
  QLineEdit* jpgFrame = nullptr;  // the JPG size field's outer box with its arrows
  QLineEdit* jpgSign = nullptr;   // the "≤" in front of the value
  QLineEdit* jpgValue = nullptr;  // the number of the JPG size field
  ColourPicker* framePicker = nullptr;
  std::array<QAbstractButton*, 4> moveButtons{};  // up, down, left, right
  QAbstractButton* cropButton = nullptr;
};

class SizePanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kPixelPage = 0;
  static constexpr int kDpiPage = 1;

  SizePanel(Prompter& prompter, QWidget* parent);

  // Puts the frame move and crop buttons of both pages around the middle line m.
  void placeFrameButtons(int middle);

  ChoiceCombo* sizeTypeCombo() const { return sizeType_; }
  QTabBar* tabBar() const { return tabs_; }
  int currentPage() const;
  const PanelPage& page(int index) const { return pages_[static_cast<size_t>(index)]; }

  QLineEdit* pixelWidthBox() const { return pixelWidth_; }
  QLineEdit* pixelHeightBox() const { return pixelHeight_; }
  QLineEdit* dpiBox() const { return dpi_; }
  QLineEdit* mmWidthBox() const { return mmWidth_; }
  QLineEdit* mmHeightBox() const { return mmHeight_; }
  // The five size boxes and the two JPG values: the boxes that take typed numbers.
  QList<QLineEdit*> numericBoxes() const;

  static MoveDirection directionOf(int buttonIndex);

 signals:
  // An up/down arrow pair beside a box was pressed.
  void stepped(QLineEdit* box, int step);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* addPage(const char* name);
  QLineEdit* addSpinEdit(QWidget* page, const QString& name, const QString& text, QRect geometry);
  PanelPage addSharedControls(QWidget* page, const QString& prefix, Prompter& prompter);

  QTabBar* tabs_;
  ChoiceCombo* sizeType_ = nullptr;
  QLineEdit* pixelWidth_ = nullptr;
  QLineEdit* pixelHeight_ = nullptr;
  QLineEdit* dpi_ = nullptr;
  QLineEdit* mmWidth_ = nullptr;
  QLineEdit* mmHeight_ = nullptr;
  std::array<PanelPage, 2> pages_;
};

}  // namespace veltrix
