#include "output/size_panel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>
#include <QToolButton>

#include "output/spin_buttons.h"
#include "output/texts.h"
#include "platform/colour_picker.h"

namespace veltrix {
namespace {

using namespace output_texts;

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

// An edit box whose design includes the up/down arrows at its right.
QLineEdit* addSpinEdit(QWidget* page, const QString& name, const QString& text, QRect geometry) {
  QLineEdit* edit = addEdit(page, name, text, geometry);
  new SpinButtons(edit);
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
  button->setAutoRepeat(false);
  place(button, name, geometry);
  return button;
}

}  // namespace

SizePanel::SizePanel(Prompter& prompter, QWidget* parent) : QWidget(parent) {
  tabs_ = new QTabBar(this);
  tabs_->setDrawBase(false);
  tabs_->setExpanding(false);

  QWidget* pixelPage = addPage(kPixelPage);
  addLabel(pixelPage, QStringLiteral("尺寸类型标签"), kSizeType, {9, 30, 64, 20});
  sizeType_ = new QComboBox(pixelPage);
  place(sizeType_, QStringLiteral("尺寸类型组合框"), {73, 29, 72, 20});
  for (const char* preset : kSizePresetNames) sizeType_->addItem(QString::fromUtf8(preset));
  sizeType_->setCurrentIndex(0);
  addLabel(pixelPage, QStringLiteral("像素宽标签"), kPixelWidth, {9, 58, 64, 20});
  addSpinEdit(pixelPage, QStringLiteral("像素宽编辑框"), QStringLiteral("160"), {73, 58, 54, 20});
  addLabel(pixelPage, QStringLiteral("像素高标签"), kPixelHeight, {9, 87, 64, 20});
  addSpinEdit(pixelPage, QStringLiteral("像素高编辑框"), QStringLiteral("210"), {73, 87, 54, 20});
  addSharedControls(pixelPage, QString::fromUtf8(kPixelPage), prompter);

  QWidget* dpiPage = addPage(kDpiPage);
  addLabel(dpiPage, QStringLiteral("DPI标签"), kDpi, {9, 30, 64, 20});
  addSpinEdit(dpiPage, QStringLiteral("DPI编辑框"), QStringLiteral("160"), {73, 29, 54, 20});
  addLabel(dpiPage, QStringLiteral("毫米宽标签"), kMmWidth, {9, 58, 64, 20});
  addSpinEdit(dpiPage, QStringLiteral("毫米宽编辑框"), QStringLiteral("25"), {73, 58, 54, 20});
  addLabel(dpiPage, QStringLiteral("毫米高度标签"), kMmHeight, {9, 87, 64, 20});
  addSpinEdit(dpiPage, QStringLiteral("毫米高编辑框"), QStringLiteral("33"), {73, 87, 54, 20});
  addSharedControls(dpiPage, QString::fromUtf8(kDpiPage), prompter);

  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    for (int i = 0; i < pages_.size(); ++i) pages_[i]->setVisible(i == index);
    tabs_->raise();
  });
  tabs_->setCurrentIndex(0);
  pages_[1]->hide();
  tabs_->raise();
}

QWidget* SizePanel::addPage(const char* name) {
  tabs_->addTab(QString::fromUtf8(name));
  auto* page = new QWidget(this);
  page->setObjectName(QString::fromUtf8(name));
  pages_.append(page);
  return page;
}

void SizePanel::addSharedControls(QWidget* page, const QString& prefix, Prompter& prompter) {
  addLabel(page, prefix + QStringLiteral("JPG体积标签"), kJpgSize, {9, 115, 76, 20});
  QLineEdit* frame =
      addSpinEdit(page, prefix + QStringLiteral("体积编辑框"), {}, {85, 115, 42, 20});
  frame->setReadOnly(true);
  frame->setFocusPolicy(Qt::NoFocus);
  QLineEdit* sign = addInnerEdit(page, prefix + QStringLiteral("小于编辑框"),
                                 QString::fromUtf8(kAtMost), {87, 117, 14, 16});
  sign->setReadOnly(true);
  sign->setFocusPolicy(Qt::NoFocus);
  addInnerEdit(page, prefix + QStringLiteral("JPG体积编辑框"), QStringLiteral("500"),
               {101, 117, 24, 16});

  addLabel(page, prefix + QStringLiteral("颜色选择标签"), kFrameColour, {9, 144, 76, 20});
  auto* picker = new ColourPicker(prompter, kDefaultFrameColour, page);
  place(picker, prefix + QStringLiteral("颜色选择器"), {85, 144, 60, 20});

  addArrowButton(page, prefix + QStringLiteral("截图上移按钮"), Qt::UpArrow, {61, 176, 28, 32});
  addArrowButton(page, prefix + QStringLiteral("截图左移按钮"), Qt::LeftArrow, {21, 215, 32, 28});
  addArrowButton(page, prefix + QStringLiteral("截图右移按钮"), Qt::RightArrow, {99, 215, 32, 28});
  addArrowButton(page, prefix + QStringLiteral("截图下移按钮"), Qt::DownArrow, {61, 252, 28, 32});
  auto* crop = new QPushButton(QString::fromUtf8(kCrop), page);
  place(crop, prefix + QStringLiteral("截图按钮"), {54, 208, 44, 44});
}

void SizePanel::placeFrameButtons(int middle) {
  for (QWidget* page : pages_) {
    const QString prefix = page->objectName();
    const auto moveTop = [&](const QString& name, int top) {
      if (auto* button = page->findChild<QWidget*>(prefix + name)) button->move(button->x(), top);
    };
    moveTop(QStringLiteral("截图按钮"), middle - 22);
    moveTop(QStringLiteral("截图上移按钮"), middle - 54);
    moveTop(QStringLiteral("截图下移按钮"), middle + 22);
    moveTop(QStringLiteral("截图左移按钮"), middle - 14);
    moveTop(QStringLiteral("截图右移按钮"), middle - 14);
  }
}

void SizePanel::resizeEvent(QResizeEvent*) {
  tabs_->setGeometry(2, 0, width() - 4, tabs_->sizeHint().height());
  for (QWidget* page : pages_) page->setGeometry(rect());
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
