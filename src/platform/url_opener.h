// Hands an address to whatever the desktop opens it with: the browser, the file manager.
#pragma once

#include <QUrl>

namespace veltrix {

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // False when nothing on the desktop took the address.
  virtual bool open(const QUrl& url) = 0;
};

}  // namespace veltrix
