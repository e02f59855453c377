// Turns the captured picture into the bytes of the file the user asked for, and puts those bytes
// on disk without ever leaving a half-written picture behind.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

#include "platform/image_encoder.h"
#include "save/jpeg_size_target.h"

namespace veltrix {

// ".bmp", ".gif", ".png", ".jpg" or ".jpeg" in any case; nothing for any other extension.
std::optional<EncodedFormat> formatForExtension(const QString& ext);

// BMP, GIF and PNG are encoded once and always meet the target. A JPEG is held under limitKb
// by fitJpegToLimit, every quality encoded from the same source pixels. An unknown extension
// gives empty bytes.
EncodeResult encodePicture(const QImage& source, const QString& ext, double limitKb, int dpi);

// Writes to a temporary file in the same folder and renames it over the path, replacing any
// file there only once the new one is complete. False when the file cannot be written.
bool writeBytesToFile(const QString& path, const QByteArray& bytes);

}  // namespace veltrix
