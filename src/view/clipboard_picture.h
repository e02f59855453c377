// The picture a clipboard offers, read as a picture file would be: the same decoders, limits,
// orientation and white under transparency.
#pragma once

#include <QImage>
#include <optional>

class QMimeData;

namespace veltrix {

// The bytes of the first offered of image/png, image/bmp, image/jpeg and image/gif, decoded;
// else Qt's own image, the only form some platforms offer. Nothing when neither is offered or
// what is offered does not decode within the limits.
std::optional<QImage> clipboardPicture(const QMimeData* offered);

}  // namespace veltrix
