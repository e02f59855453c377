#include "platform/qt_hotkeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <optional>

namespace veltrix {
namespace {

std::optional<NavigationKey> navigationKey(const QKeyEvent& event) {
  // Caps Lock is no modifier: only Shift, Control, Alt and the like make another key of it.
  if (event.modifiers() & ~Qt::KeypadModifier) return std::nullopt;
  switch (event.key()) {
    case Qt::Key_A:
      return NavigationKey::A;
    case Qt::Key_S:
      return NavigationKey::S;
    case Qt::Key_D:
      return NavigationKey::D;
    case Qt::Key_F:
      return NavigationKey::F;
    default:
      return std::nullopt;
  }
}

}  // namespace

void QtHotkeys::registerKeys(Handler handler) {
  if (!handler_) qApp->installEventFilter(this);
  handler_ = std::move(handler);
}

void QtHotkeys::releaseKeys() {
  if (handler_) qApp->removeEventFilter(this);
  handler_ = nullptr;
  keys_ = {};
}

// X11 sends a held key's repeats as a release and a press at the same moment, and Qt does not
// always see the pair in time to flag the press as a repeat: a press of a key still held, or
// following its own release at the very moment of it, is a repeat all the same. (Synthesised
// events carry no time; for them only a release ends a hold.)
bool QtHotkeys::pressRepeats(NavigationKey key, const QKeyEvent& press) {
  KeyState& state = keys_[static_cast<size_t>(key)];
  const bool sameMoment = state.releasedAt != 0 && press.timestamp() == state.releasedAt;
  const bool repeats = press.isAutoRepeat() || state.down || sameMoment;
  state.down = true;
  return repeats;
}

bool QtHotkeys::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // A key let go while the program was not in front never comes back as a release.
  if (type == QEvent::ApplicationDeactivate) keys_ = {};
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
    return false;
  // Every widget sees the key once; the window it goes through first stands for all.
  if (!watched->isWidgetType()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const std::optional<NavigationKey> navigation = navigationKey(*key);
  if (!navigation) return false;
  // Releases count even while a modal window has the keys, or the next press would seem held.
  if (type == QEvent::KeyRelease && !key->isAutoRepeat()) {
    KeyState& state = keys_[static_cast<size_t>(*navigation)];
    state.down = false;
    state.releasedAt = key->timestamp();
  }
  if (QApplication::activeModalWidget()) return false;
  // Taking the shortcut check keeps a menu's accelerator from seeing the letter.
  if (type == QEvent::KeyPress) {
    const bool repeated = pressRepeats(*navigation, *key);
    // The handler may release the keys and end this registration.
    const Handler handler = handler_;
    handler(*navigation, repeated);
  }
  return true;
}

}  // namespace veltrix
