// Turns a picture into the bytes of a BMP, GIF, PNG or JPEG file in memory, with the
// resolution written into the file wherever the format has a place for it.
#pragma once

#include <QByteArray>
#include <QImage>

namespace veltrix {

enum class EncodedFormat { Bmp, Gif, Png, Jpeg };

// Encodes a Format_RGB32 picture (any other format is converted first). The dpi goes into the
// JFIF density (dots per inch), the PNG pHYs chunk and the BMP header (both pixels per metre);
// GIF has no resolution field. jpegQuality is libjpeg's 0..100 scale, clamped; JPEGs are
// baseline with optimised Huffman tables. Empty bytes for a null or empty picture, or one the
// format cannot hold.
QByteArray encodeImage(const QImage& image, EncodedFormat format, int dpi, int jpegQuality = 100);

}  // namespace veltrix
