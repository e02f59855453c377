// Hotkeys as an application-wide key filter: plain A, S, D and F (no modifier; Caps Lock does not
// matter) are taken from every window of the program while no modal window is open. Other
// programs are never affected.
#pragma once

#include <QObject>

#include "platform/hotkeys.h"

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
  Handler handler_;
};

}  // namespace veltrix
