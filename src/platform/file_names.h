// File names as the disk holds them. On Linux a name is bytes: one that is not UTF-8 (a class
// photographed on Windows and unpacked from a zip has GBK names) is read as GB18030, so that every
// student keeps a name, and the file is found again by the name it was read as.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace veltrix {

// The name in UTF-8 when its bytes are UTF-8, else in GB18030 (bytes that are neither become
// U+FFFD).
QString decodedFileName(const QByteArray& bytes);

// Opens the file for reading as QFile::open does, and also when its name on the disk is not UTF-8
// and path gives it as decodedFileName reads it.
bool openForReading(QFile& file, const QString& path);

// Whether path is a regular file (through links), found as openForReading finds it.
bool isFileAt(const QString& path);

}  // namespace veltrix
