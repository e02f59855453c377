// UrlOpener on QDesktopServices, which follows the desktop's own choice of program.
#pragma once

#include "platform/url_opener.h"

namespace veltrix {

class QtUrlOpener final : public UrlOpener {
 public:
  bool open(const QUrl& url) override;
};

}  // namespace veltrix
