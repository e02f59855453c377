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
}

bool QtHotkeys::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
    return false;
  // Every widget sees the key once; the window it goes through first stands for all.
  if (!watched->isWidgetType() || QApplication::activeModalWidget()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const std::optional<NavigationKey> navigation = navigationKey(*key);
  if (!navigation) return false;
  // Taking the shortcut check keeps a menu's accelerator from seeing the letter.
  if (type == QEvent::KeyPress) {
    // The handler may release the keys and end this registration.
    const Handler handler = handler_;
    handler(*navigation, key->isAutoRepeat());
  }
  return true;
}

}  // namespace veltrix
