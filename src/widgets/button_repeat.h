// A button held down repeats its step: once at the press, then, on a 5 ms timer, once a tick from
// the tenth tick on, until it is let go.
#pragma once

#include <QObject>
#include <functional>

class QTimer;

namespace veltrix {

class ButtonRepeat : public QObject {
  Q_OBJECT
 public:
  static constexpr int kFirstRepeatTick = 10;
  static constexpr int kIntervalMs = 5;

  // The timer carries the name tests and the design know it by.
  ButtonRepeat(const QString& timerName, QObject* parent);

  // Runs the step now and starts the timer; a step that returns false stops the repeat.
  void press(std::function<bool()> step);
  void release();

 private:
  void tick();

  QTimer* timer_;
  std::function<bool()> step_;
  int ticks_ = 0;
};

}  // namespace veltrix
