#include "view/picture_prefetch.h"

#include <QFileInfo>
#include <algorithm>
#include <chrono>

namespace veltrix {
namespace {

bool ready(const std::future<LoadedPicture>& loaded) {
  return loaded.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

}  // namespace

PicturePrefetch::~PicturePrefetch() {
  letGo();
  for (std::future<LoadedPicture>& loaded : lettingGo_) loaded.wait();
}

void PicturePrefetch::letGo() {
  if (ahead_) lettingGo_.push_back(std::move(ahead_->loaded));
  ahead_.reset();
  // Finished ones free their pictures now; the others when they are done.
  std::erase_if(lettingGo_, [](const std::future<LoadedPicture>& loaded) { return ready(loaded); });
}

void PicturePrefetch::prefetch(const QString& path, QSize canvas) {
  if (ahead_ && ahead_->path == path) return;
  letGo();
  const QFileInfo file(path);
  if (!file.isFile()) return;
  ahead_ = Ahead{path, file.size(), file.lastModified(),
                 std::async(std::launch::async, decodeForView, path, canvas)};
}

std::optional<LoadedPicture> PicturePrefetch::take(const QString& path) {
  if (!ahead_ || ahead_->path != path) return std::nullopt;
  Ahead ahead = std::move(*ahead_);
  ahead_.reset();
  LoadedPicture loaded = ahead.loaded.get();
  const QFileInfo file(path);
  if (!file.isFile() || file.size() != ahead.size || file.lastModified() != ahead.modified)
    return std::nullopt;
  return loaded;
}

}  // namespace veltrix
