#include "app/status_bar.h"

#include <QLabel>
#include <QPainter>
#include <QStyleOptionButton>

#include "app/texts.h"

namespace veltrix {
namespace {

constexpr int kImageSize = 13;

QPixmap checkBoxPicture(const QWidget* widget, bool ticked) {
  QPixmap pixmap(kImageSize, kImageSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  QStyleOptionButton option;
  option.initFrom(widget);
  option.rect = pixmap.rect();
  option.state = QStyle::State_Enabled | (ticked ? QStyle::State_On : QStyle::State_Off);
  widget->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, widget);
  return pixmap;
}

}  // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
  hint_ = new QLabel(this);
  hint_->setIndent(3);
  indicatorImage_ = new QLabel(this);
  indicatorText_ = new QLabel(QString::fromUtf8(app_texts::kBatchIndicator), this);
  setBatchIndicator(false);
}

void StatusBar::setHintText(const QString& text) {
  hint_->setText(text);
}

QString StatusBar::hintText() const {
  return hint_->text();
}

void StatusBar::setPart0Width(int width) {
  part0Width_ = width;
  placeParts();
}

void StatusBar::setBatchIndicator(bool on) {
  indicatorImage_->setPixmap(checkBoxPicture(this, on));
}

void StatusBar::resizeEvent(QResizeEvent*) {
  placeParts();
}

void StatusBar::placeParts() {
  const int h = height();
  hint_->setGeometry(0, 0, std::max(0, part0Width_ - 2), h);
  const int imageTop = (h - kImageSize) / 2;
  indicatorImage_->setGeometry(part0Width_ + 4, imageTop, kImageSize, kImageSize);
  const int textLeft = part0Width_ + 4 + kImageSize + 3;
  indicatorText_->setGeometry(textLeft, 0, std::max(0, width() - textLeft), h);
}

void StatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawLine(0, 0, width(), 0);
  painter.drawLine(part0Width_, 2, part0Width_, height() - 2);
}

}  // namespace veltrix
