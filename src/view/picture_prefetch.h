// The next picture decoded ahead on a thread of its own while the user frames the current one,
// so that moving on shows it at once. A picture whose file changed since is never used.
#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>
#include <future>
#include <optional>
#include <vector>

#include "view/picture_loading.h"

namespace veltrix {

class PicturePrefetch {
 public:
  PicturePrefetch() = default;
  PicturePrefetch(const PicturePrefetch&) = delete;
  PicturePrefetch& operator=(const PicturePrefetch&) = delete;
  // Waits for decodes under way: none may outlive what they write into.
  ~PicturePrefetch();

  // Starts decoding the file for a view canvas of that size; an earlier picture is let go.
  void prefetch(const QString& path, QSize canvas);

  // The file decoded ahead, waiting for a decode under way, when it was asked for and still has
  // the size and modification time it had then; nothing otherwise.
  std::optional<LoadedPicture> take(const QString& path);

 private:
  struct Ahead {
    QString path;
    qint64 size = -1;
    QDateTime modified;
    std::future<LoadedPicture> loaded;
  };
  void letGo();

  std::optional<Ahead> ahead_;
  std::vector<std::future<LoadedPicture>> lettingGo_;  // decodes nobody waits for any more
};

}  // namespace veltrix
