// Hotkeys double: the test presses the navigation keys and sees whether they are registered.
#pragma once

#include "platform/hotkeys.h"

namespace veltrix::test {

class FakeHotkeys final : public Hotkeys {
 public:
  int registrations = 0;

  void registerKeys(Handler handler) override {
    handler_ = std::move(handler);
    ++registrations;
  }
  void releaseKeys() override { handler_ = nullptr; }
  bool registered() const override { return static_cast<bool>(handler_); }

  // A press that reaches the program only while the keys are registered.
  void press(NavigationKey key, bool repeated = false) {
    if (handler_) {
      const Handler handler = handler_;
      handler(key, repeated);
    }
  }

 private:
  Handler handler_;
};

}  // namespace veltrix::test
