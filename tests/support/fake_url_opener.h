// UrlOpener double that remembers every address it was given and reports each as opened, unless
// the test makes it a desktop without a browser.
#pragma once

#include <QList>
#include <QUrl>

#include "platform/url_opener.h"

namespace veltrix::test {

class FakeUrlOpener final : public UrlOpener {
 public:
  QList<QUrl> opened;
  bool handled = true;
  bool open(const QUrl& url) override {
    opened.append(url);
    return handled;
  }
};

}  // namespace veltrix::test
