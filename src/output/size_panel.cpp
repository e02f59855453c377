#include "output/size_panel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>
#include <QToolButton>

#include "output/texts.h"
#include "widgets/choice_combo.h"
#include "widgets/colour_picker.h"
#include "widgets/spin_buttons.h"

namespace veltrix {
namespace {

using output_texts::kAtMost;
using output_texts::kCrop;
using output_texts::kDpi;
using output_texts::kFrameColour;
using output_texts::kJpgSize;
using output_texts::kMmHeight;
using output_texts::kMmWidth;
using output_texts::kPixelHeight;
using output_texts::kPixelWidth;
using output_texts::kSizePresetNames;
using output_texts::kSizeType;

const QColor kDefaultFrameColour(255, 255, 0);

void place(QWidget* widget, const QString& name, QRect geometry) {
  widget->setObjectName(name);
  widget->setGeometry(geometry);
}

QLabel* addLabel(QWidget* page, const QString& name, const char* caption, QRect geometry) {
  auto* label = new QLabel(QString::fromUtf8(caption), page);
  place(label, name, geometry);
  return label;
}

QLineEdit* addEdit(QWidget* page, const QString& name, const QString& text, QRect geometry) {
  auto* edit = new QLineEdit(text, page);
  place(edit, name, geometry);
  return edit;
}

// Frameless box drawn inside another box, as the JPG size shows "≤" and its number.
QLineEdit* addInnerEdit(QWidget* page, const QString& name, const QString& text, QRect geometry) {
  QLineEdit* edit = addEdit(page, name, text, geometry);
  edit->setFrame(false);
  edit->setTextMargins(0, 0, 0, 0);
  edit->setContentsMargins(0, 0, 0, 0);
  return edit;
}

QToolButton* addArrowButton(QWidget* page, const QString& name, Qt::ArrowType arrow,
                            QRect geometry) {
  auto* button = new QToolButton(page);
  button->setArrowType(arrow);
  place(button, name, geometry);
  return button;
}

}  // namespace

SizePanel::SizePanel(Prompter& prompter, QWidget* parent) : QWidget(parent) {
  tabs_ = new QTabBar(this);
  tabs_->setDrawBase(false);
  tabs_->setExpanding(false);

  QWidget* pixelPage = addPage(output_texts::kPixelPage);
  addLabel(pixelPage, QStringLiteral("尺寸类型标签"), kSizeType, {9, 30, 64, 20});
  sizeType_ = new ChoiceCombo(pixelPage);
  place(sizeType_, QStringLiteral("尺寸类型组合框"), {73, 29, 72, 20});
  for (const char* preset : kSizePresetNames) sizeType_->addItem(QString::fromUtf8(preset));
  sizeType_->setCurrentIndex(0);
  addLabel(pixelPage, QStringLiteral("像素宽标签"), kPixelWidth, {9, 58, 64, 20});
  pixelWidth_ = addSpinEdit(pixelPage, QStringLiteral("像素宽编辑框"), QStringLiteral("160"),
                            {73, 58, 54, 20});
  addLabel(pixelPage, QStringLiteral("像素高标签"), kPixelHeight, {9, 87, 64, 20});
  pixelHeight_ = addSpinEdit(pixelPage, QStringLiteral("像素高编辑框"), QStringLiteral("210"),
                             {73, 87, 54, 20});
  pages_[kPixelPage] =
      addSharedControls(pixelPage, QString::fromUtf8(output_texts::kPixelPage), prompter);

  QWidget* dpiPage = addPage(output_texts::kDpiPage);
  addLabel(dpiPage, QStringLiteral("DPI标签"), kDpi, {9, 30, 64, 20});
  dpi_ = addSpinEdit(dpiPage, QStringLiteral("DPI编辑框"), QStringLiteral("160"), {73, 29, 54, 20});
  addLabel(dpiPage, QStringLiteral("毫米宽标签"), kMmWidth, {9, 58, 64, 20});
  mmWidth_ =
      addSpinEdit(dpiPage, QStringLiteral("毫米宽编辑框"), QStringLiteral("25"), {73, 58, 54, 20});
  addLabel(dpiPage, QStringLiteral("毫米高度标签"), kMmHeight, {9, 87, 64, 20});
  mmHeight_ =
      addSpinEdit(dpiPage, QStringLiteral("毫米高编辑框"), QStringLiteral("33"), {73, 87, 54, 20});
  pages_[kDpiPage] =
      addSharedControls(dpiPage, QString::fromUtf8(output_texts::kDpiPage), prompter);

  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i)
      pages_[static_cast<size_t>(i)].page->setVisible(i == index);
    tabs_->raise();
  });
  tabs_->setCurrentIndex(kPixelPage);
  pages_[kDpiPage].page->hide();
  tabs_->raise();
}

int SizePanel::currentPage() const {
  return tabs_->currentIndex();
}

QList<QLineEdit*> SizePanel::numericBoxes() const {
  return {pixelWidth_,
          pixelHeight_,
          dpi_,
          mmWidth_,
          mmHeight_,
          pages_[kPixelPage].jpgValue,
          pages_[kDpiPage].jpgValue};
}

MoveDirection SizePanel::directionOf(int buttonIndex) {
  constexpr std::array<MoveDirection, 4> kDirections = {MoveDirection::Up, MoveDirection::Down,
                                                        MoveDirection::Left, MoveDirection::Right};
  return kDirections[static_cast<size_t>(buttonIndex)];
}

// An edit box whose design includes the up/down arrows at its right.
QLineEdit* SizePanel::addSpinEdit(QWidget* page, const QString& name, const QString& text,
                                  QRect geometry) {
  QLineEdit* edit = addEdit(page, name, text, geometry);
  auto* buttons = new SpinButtons(edit);
  connect(buttons, &SpinButtons::stepped, this,
          [this, edit](int step) { emit stepped(edit, step); });
  return edit;
}

QWidget* SizePanel::addPage(const char* name) {
  tabs_->addTab(QString::fromUtf8(name));
  auto* page = new QWidget(this);
  page->setObjectName(QString::fromUtf8(name));
  return page;
}

PanelPage SizePanel::addSharedControls(QWidget* page, const QString& prefix, Prompter& prompter) {
  PanelPage controls;
  controls.page = page;
  addLabel(page, prefix + QStringLiteral("JPG体积标签"), kJpgSize, {9, 115, 76, 20});
  // Three boxes stacked to look like one spin field; the outer two hand the focus on to the value.
  controls.jpgFrame =
      addSpinEdit(page, prefix + QStringLiteral("体积编辑框"), {}, {85, 115, 42, 20});
  controls.jpgFrame->setReadOnly(true);
  controls.jpgSign = addInnerEdit(page, prefix + QStringLiteral("小于编辑框"),
                                  QString::fromUtf8(kAtMost), {87, 117, 14, 16});
  controls.jpgSign->setReadOnly(true);
  controls.jpgValue = addInnerEdit(page, prefix + QStringLiteral("JPG体积编辑框"),
                                   QStringLiteral("500"), {101, 117, 24, 16});

  addLabel(page, prefix + QStringLiteral("颜色选择标签"), kFrameColour, {9, 144, 76, 20});
  controls.framePicker = new ColourPicker(prompter, kDefaultFrameColour, page);
  place(controls.framePicker, prefix + QStringLiteral("颜色选择器"), {85, 144, 60, 20});

  controls.moveButtons = {
      addArrowButton(page, prefix + QStringLiteral("截图上移按钮"), Qt::UpArrow, {61, 176, 28, 32}),
      addArrowButton(page, prefix + QStringLiteral("截图下移按钮"), Qt::DownArrow,
                     {61, 252, 28, 32}),
      addArrowButton(page, prefix + QStringLiteral("截图左移按钮"), Qt::LeftArrow,
                     {21, 215, 32, 28}),
      addArrowButton(page, prefix + QStringLiteral("截图右移按钮"), Qt::RightArrow,
                     {99, 215, 32, 28}),
  };
  controls.cropButton = new QPushButton(QString::fromUtf8(kCrop), page);
  place(controls.cropButton, prefix + QStringLiteral("截图按钮"), {54, 208, 44, 44});
  return controls;
}

void SizePanel::placeFrameButtons(int middle) {
  for (const PanelPage& controls : pages_) {
    const auto moveTop = [](QWidget* button, int top) { button->move(button->x(), top); };
    moveTop(controls.cropButton, middle - 22);
    moveTop(controls.moveButtons[0], middle - 54);
    moveTop(controls.moveButtons[1], middle + 22);
    moveTop(controls.moveButtons[2], middle - 14);
    moveTop(controls.moveButtons[3], middle - 14);
  }
}

void SizePanel::resizeEvent(QResizeEvent*) {
  tabs_->setGeometry(2, 0, width() - 4, tabs_->sizeHint().height());
  for (const PanelPage& controls : pages_) controls.page->setGeometry(rect());
}

void SizePanel::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionTabWidgetFrame option;
  option.initFrom(this);
  option.rect = rect().adjusted(0, tabs_->sizeHint().height() - 1, 0, 0);
  option.tabBarSize = tabs_->sizeHint();
  option.shape = QTabBar::RoundedNorth;
  painter.drawPrimitive(QStyle::PE_FrameTabWidget, option);
}

}  // namespace veltrix
