// Num Lock read and switched through XKB on a connection of its own, so Qt's event stream
// never sees the XKB requests.
#include "platform/xkb_keyboard.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>

// Xlib's macros (None, Bool, KeyPress...) clash with Qt names, so it comes last.
#include <X11/XKBlib.h>
#include <X11/keysym.h>
// XKB.h names a device kind XkbKeyboard; the class is meant here.
#undef XkbKeyboard

namespace veltrix {

XkbKeyboard::~XkbKeyboard() {
  if (display_) XCloseDisplay(display_);
}

_XDisplay* XkbKeyboard::display() const {
  if (opened_) return display_;
  opened_ = true;
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  // The server Qt is on, even when it was chosen with -display rather than $DISPLAY.
  const char* name = nullptr;
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
    if (x11->display()) name = DisplayString(x11->display());
  }
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  int reason = 0;
  Display* display = XkbOpenDisplay(name, nullptr, nullptr, &major, &minor, &reason);
  if (!display) return nullptr;
  numLockMask_ = XkbKeysymToModifiers(display, XK_Num_Lock);
  if (numLockMask_ == 0) {
    XCloseDisplay(display);
    return nullptr;
  }
  display_ = display;
  return display_;
}

bool XkbKeyboard::numLockOn() const {
  Display* connection = display();
  if (!connection) return true;
  XkbStateRec state{};
  if (XkbGetState(connection, XkbUseCoreKbd, &state) != Success) return true;
  return (state.locked_mods & numLockMask_) != 0;
}

void XkbKeyboard::pressNumLock() {
  Display* connection = display();
  if (!connection) return;
  const unsigned int locked = numLockOn() ? 0 : numLockMask_;
  XkbLockModifiers(connection, XkbUseCoreKbd, numLockMask_, locked);
  XSync(connection, False);
}

}  // namespace veltrix
