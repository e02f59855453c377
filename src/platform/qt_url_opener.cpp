// UrlOpener on QDesktopServices.
#include "platform/qt_url_opener.h"

#include <QDesktopServices>

namespace veltrix {

bool QtUrlOpener::open(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

}  // namespace veltrix
