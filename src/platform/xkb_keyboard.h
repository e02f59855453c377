// The keyboard of the X server the program shows on, through the XKB extension. Elsewhere
// (Wayland, offscreen) Num Lock is out of reach and always reads as on.
#pragma once

#include "platform/keyboard.h"

struct _XDisplay;

namespace veltrix {

class XkbKeyboard final : public Keyboard {
 public:
  XkbKeyboard() = default;
  ~XkbKeyboard() override;
  XkbKeyboard(const XkbKeyboard&) = delete;
  XkbKeyboard& operator=(const XkbKeyboard&) = delete;

  bool numLockOn() const override;
  void pressNumLock() override;

 private:
  // The XKB connection and the modifier Num Lock locks, opened on first use; null when the
  // program is not on X11 or the server has no Num Lock.
  _XDisplay* display() const;

  mutable bool opened_ = false;
  mutable _XDisplay* display_ = nullptr;
  mutable unsigned int numLockMask_ = 0;
};

}  // namespace veltrix
