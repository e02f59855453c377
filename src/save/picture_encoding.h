// Turns the captured picture into the bytes of the file the user asked for, and puts those bytes
// on disk without ever leaving a half-written picture behind.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

#include "codec/image_encoder.h"
#include "platform/file_write.h"
#include "save/jpeg_size_target.h"

namespace veltrix {

// ".bmp", ".gif", ".png", ".jpg" or ".jpeg" in any case; nothing for any other extension.
std::optional<EncodedFormat> formatForExtension(const QString& ext);

// BMP, GIF and PNG are encoded once and always meet the target. A JPEG is held under limitKb
// by fitJpegToLimit, every quality encoded from the same source pixels. Nothing for an unknown
// extension or when the encoder gives no bytes (a null or empty source): an empty file must
// never stand for a picture.
std::optional<EncodeResult> encodePicture(const QImage& source, const QString& ext, double limitKb,
                                          int dpi);

// Written whole or not at all, as replaceFileWhole writes. A file whose owner made it read-only
// is never replaced, not even for root.
WriteOutcome writePictureFile(const QString& path, const QByteArray& bytes);
// The same when the reason does not matter: false when the file cannot be written.
bool writeBytesToFile(const QString& path, const QByteArray& bytes);

// Tells the user which file could not be written and what to check: a full disk and the folder
// to make room in, or else whether the place exists and can be written.
QString cannotWriteMessage(const QString& path, WriteOutcome outcome);

}  // namespace veltrix
