// The program's texts are UTF-8 constants; this turns one into the QString a control shows.
#pragma once

#include <QString>

namespace veltrix {

inline QString u8(const char* text) {
  return QString::fromUtf8(text);
}

}  // namespace veltrix
