// Scales a picture to an exact size for display: area averaging when shrinking, so no detail
// is dropped, and bilinear filtering when enlarging. The same size returns the picture itself.
#pragma once

#include <QImage>
#include <QSize>
#include <memory>

namespace veltrix {

// source is Format_RGB32; so is the result. An empty size gives a null image.
QImage scalePicture(const QImage& source, int width, int height);

// How one axis of a scale weighs the source pixels; made and read in scaler.cpp only.
struct Contributions;

// scalePicture's shrinking in its two passes, for a caller that has the source's rows one band
// at a time: every row is first narrowed to the target width, in any order and from any
// thread, then the narrowed rows are blended down to the target height. The result is exactly
// scalePicture's.
class ShrinkingScaler {
 public:
  // Whether scalePicture shrinks source to target this way; the other ways need the whole
  // source at once.
  static bool applies(QSize source, QSize target);

  ShrinkingScaler(QSize source, QSize target);
  ~ShrinkingScaler();
  ShrinkingScaler(const ShrinkingScaler&) = delete;
  ShrinkingScaler& operator=(const ShrinkingScaler&) = delete;

  // Narrows source rows [begin, end), Format_RGB32 rows bytesPerLine apart from source; calls
  // for different rows may run at the same time.
  void narrowRows(const uchar* source, qsizetype bytesPerLine, int begin, int end);

  // Once every row is narrowed: the scaled picture.
  QImage finish();

 private:
  std::unique_ptr<const Contributions> columns_;
  QImage narrowed_;
  uchar* narrowedBits_;
  int targetHeight_;
};

}  // namespace veltrix
