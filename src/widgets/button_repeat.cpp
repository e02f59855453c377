#include "widgets/button_repeat.h"

#include <QTimer>

namespace veltrix {

ButtonRepeat::ButtonRepeat(const QString& timerName, QObject* parent) : QObject(parent) {
  timer_ = new QTimer(this);
  timer_->setObjectName(timerName);
  timer_->setInterval(0);
  connect(timer_, &QTimer::timeout, this, &ButtonRepeat::tick);
}

void ButtonRepeat::press(std::function<bool()> step) {
  step_ = std::move(step);
  ticks_ = 0;
  if (step_()) timer_->start(kIntervalMs);
}

void ButtonRepeat::tick() {
  ++ticks_;
  if (ticks_ >= kFirstRepeatTick && step_ && !step_()) release();
}

void ButtonRepeat::release() {
  step_ = nullptr;
  ticks_ = 0;
  timer_->stop();
  timer_->setInterval(0);
}

}  // namespace veltrix
