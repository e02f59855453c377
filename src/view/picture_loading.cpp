#include "view/picture_loading.h"

#include <utility>
#include <variant>

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

std::optional<DecodeFailure> loadPictureFile(ImageDocument& document, ViewState& view,
                                             const QString& path, const FrameLines& frame) {
  DecodeResult decoded = decodePictureFileOrFailure(path);
  if (const DecodeFailure* failure = std::get_if<DecodeFailure>(&decoded)) return *failure;
  document.picture = std::get<QImage>(std::move(decoded));
  document.present = true;
  view.scrollFractionX = 0.5;
  view.scrollFractionY = 0.5;
  showNewPicture(view, document, frame);
  return std::nullopt;
}

}  // namespace veltrix
