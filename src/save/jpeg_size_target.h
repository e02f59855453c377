// Holds a JPEG under the size the user set in KB: the highest quality whose file fits, found
// with a coarse pass in steps of five and a fine pass of single steps above it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>

namespace veltrix {

struct EncodeResult {
  QByteArray bytes;
  bool targetMet = true;
  qint64 smallestBytes = 0;  // the smallest file reachable, when even that is over the limit
};

// The whole file at a libjpeg quality, 0..100.
using JpegEncoder = std::function<QByteArray(int quality)>;

// The limit is floor(limitKb × 1024) bytes. Tries qualities 100, 95, …, 0 until one fits, then
// up to four single steps above it while they keep fitting. When not even quality 0 fits, its
// bytes come back with targetMet false and their size as smallestBytes. An empty encoding is
// no picture and never fits: the search stops there and gives no bytes.
EncodeResult fitJpegToLimit(double limitKb, const JpegEncoder& encode);

// Tells the user the smallest size reachable, in KB to one decimal, and asks for a new target.
QString sizeTargetMessage(qint64 smallestBytes);

}  // namespace veltrix
