// UrlOpener double that remembers every address it was given and reports each as opened.
#pragma once

#include <QList>
#include <QUrl>

#include "platform/url_opener.h"

namespace veltrix::test {

class FakeUrlOpener final : public UrlOpener {
 public:
  QList<QUrl> opened;
  bool open(const QUrl& url) override {
    opened.append(url);
    return true;
  }
};

}  // namespace veltrix::test
