// The decoders' promises checked on every input: a picture is opaque RGB32 within the limits,
// a failure says why, and a row sink hears of every row once, only rows of the picture.
#pragma once

#include <QImage>
#include <variant>
#include <vector>

#include "codec/image_codec.h"
#include "fuzz_support.h"

namespace veltrix::fuzz {

class RowCheck : public PictureRowSink {
 public:
  void rowsDone(const QImage& picture, int first, int count) override {
    check(first >= 0 && count > 0 && first + count <= picture.height(), "rows told lie inside");
    told_.resize(static_cast<size_t>(picture.height()));
    for (int row = first; row < first + count; ++row) {
      check(!told_[static_cast<size_t>(row)], "each row told once");
      told_[static_cast<size_t>(row)] = true;
    }
  }

  bool toldAll(const QImage& picture) const {
    if (told_.size() != static_cast<size_t>(picture.height())) return false;
    for (bool row : told_) {
      if (!row) return false;
    }
    return true;
  }

 private:
  std::vector<bool> told_;
};

inline void checkResult(const DecodeResult& result) {
  if (const auto* failure = std::get_if<DecodeFailure>(&result)) {
    check(failure->error != DecodeError::TooLarge || failure->width > kMaxSide ||
              failure->height > kMaxSide || failure->width * failure->height > kMaxPixels,
          "too large only past the limits");
    return;
  }
  const QImage& picture = std::get<QImage>(result);
  check(!picture.isNull() && picture.format() == QImage::Format_RGB32, "an RGB32 picture");
  check(picture.width() <= kMaxSide && picture.height() <= kMaxSide &&
            qint64(picture.width()) * picture.height() <= kMaxPixels,
        "a picture within the limits");
}

inline void checkRows(const DecodeResult& result, const RowCheck& rows) {
  if (const auto* picture = std::get_if<QImage>(&result))
    check(rows.toldAll(*picture), "every row told before success");
}

}  // namespace veltrix::fuzz
