// The Num Lock state of the keyboard, so the numeric boxes can take numbers from the keypad.
#pragma once

namespace veltrix {

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  virtual bool numLockOn() const = 0;
  // Has the effect of pressing and releasing the Num Lock key once.
  virtual void pressNumLock() = 0;
};

inline void ensureNumLockOn(Keyboard& keyboard) {
  if (!keyboard.numLockOn()) keyboard.pressNumLock();
}

}  // namespace veltrix
