// Hotkeys as an application-wide key filter: plain A, S, D and F (no modifier; Caps Lock does not
// matter) are taken from every window of the program while no modal window is open. Other
// programs are never affected. A held key says it repeats even where the window system sends its
// repeats as fresh presses.
#pragma once

#include <QObject>
#include <array>

#include "platform/hotkeys.h"

class QKeyEvent;

namespace veltrix {

class QtHotkeys final : public QObject, public Hotkeys {
  Q_OBJECT
 public:
  void registerKeys(Handler handler) override;
  void releaseKeys() override;
  bool registered() const override { return static_cast<bool>(handler_); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What the filter saw of one key, to tell a repeat that X11 did not flag as one.
  struct KeyState {
    bool down = false;
    ulong releasedAt = 0;  // the event time of the key's last release, 0 for none
  };
  // Whether a press of the key is one of its repeats; notes the press.
  bool pressRepeats(NavigationKey key, const QKeyEvent& press);

  Handler handler_;
  std::array<KeyState, 4> keys_{};
};

}  // namespace veltrix
