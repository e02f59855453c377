#include "app/status_bar.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>

#include "app/texts.h"

namespace veltrix {

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
  hint_ = new QLabel(this);
  hint_->setIndent(3);
  // A real check box, so that the keyboard and screen readers find and toggle it; the mouse
  // goes through it to the status bar, which measures where a press falls.
  indicator_ = new QCheckBox(QString::fromUtf8(app_texts::kBatchIndicator), this);
  indicator_->setObjectName(QStringLiteral("批量截图模式选择框"));
  indicator_->setAttribute(Qt::WA_TransparentForMouseEvents);
  indicator_->setFocusPolicy(Qt::TabFocus);
  connect(indicator_, &QCheckBox::toggled, this, &StatusBar::indicatorToggled);
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
  const QSignalBlocker quiet(indicator_);
  indicator_->setChecked(on);
}

void StatusBar::resizeEvent(QResizeEvent*) {
  placeParts();
}

void StatusBar::placeParts() {
  const int h = height();
  hint_->setGeometry(0, 0, std::max(0, part0Width_ - 2), h);
  indicator_->setGeometry(part0Width_ + 4, 0, std::max(0, width() - part0Width_ - 4), h);
}

void StatusBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawLine(0, 0, width(), 0);
  painter.drawLine(part0Width_, 2, part0Width_, height() - 2);
}

}  // namespace veltrix
