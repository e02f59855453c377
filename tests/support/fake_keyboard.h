// Keyboard double whose Num Lock the test sets and whose presses it counts.
#pragma once

#include "platform/keyboard.h"

namespace veltrix::test {

class FakeKeyboard final : public Keyboard {
 public:
  bool on = false;
  int presses = 0;
  bool numLockOn() const override { return on; }
  void pressNumLock() override {
    on = !on;
    ++presses;
  }
};

}  // namespace veltrix::test
