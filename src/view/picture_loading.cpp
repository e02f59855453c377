#include "view/picture_loading.h"

#include "platform/image_codec.h"
#include "view/texts.h"
#include "view/view_render.h"

namespace veltrix {

bool hasPictureExtension(const QString& path) {
  const QString extension = path.sliced(path.lastIndexOf(u'.') + 1).toLower();
  for (const char* accepted : {"bmp", "jpg", "jpeg", "gif", "png"})
    if (extension == QLatin1String(accepted)) return true;
  return false;
}

DropDecision decideDrop(const QStringList& paths) {
  if (paths.size() > 1) {
    return {{},
            QString::fromUtf8(view_texts::kSeveralFilesBefore) + QString::number(paths.size()) +
                QString::fromUtf8(view_texts::kSeveralFilesAfter)};
  }
  const QString path = paths.value(0);
  if (!hasPictureExtension(path)) return {{}, QString::fromUtf8(view_texts::kWrongType)};
  return {path, {}};
}

bool loadPictureFile(ImageDocument& document, ViewState& view, const QString& path,
                     const FrameLines& frame) {
  clearCanvases(view);
  document = ImageDocument();
  std::optional<QImage> picture = decodePictureFile(path);
  if (!picture) return false;
  document.picture = std::move(*picture);
  document.present = true;
  view.scrollFractionX = 0.5;
  view.scrollFractionY = 0.5;
  showNewPicture(view, document, frame);
  return true;
}

}  // namespace veltrix
