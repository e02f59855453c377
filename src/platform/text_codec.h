// Converts between the program's Unicode texts and GB18030 bytes, the encoding of its
// settings files. glibc iconv does the work because Qt 6.4 ships no GB18030 converter.
#pragma once

#include <QByteArray>
#include <QString>

namespace veltrix {

// Characters outside GBK take 4 bytes. Only six private-use code points that GB18030-2022
// retired (U+E816-E818, U+E831, U+E83B, U+E855) and lone surrogates have no form; they
// become the encoding of U+FFFD.
QByteArray toGb18030(const QString& text);

// Bytes that are not valid GB18030 become U+FFFD, one per byte, and decoding goes on after them.
QString fromGb18030(const QByteArray& bytes);

// Byte length of the text in GB18030: 1 for ASCII, 2 for a GBK character, 4 beyond GBK.
int gb18030Length(const QString& text);

}  // namespace veltrix
