#include "platform/qt_screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace veltrix {

QSize QtScreen::primarySize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size() : QSize();
}

}  // namespace veltrix
