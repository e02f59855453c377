// The pictures the tools carry, drawn in code: the pen's and the eyedropper's cursors and the
// palette of colour swatches.
#pragma once

#include <QCursor>
#include <QImage>

namespace veltrix {

inline constexpr QPoint kPencilHotSpot{8, 23};
inline constexpr QPoint kDropperHotSpot{9, 24};

// 32 × 32 cursors whose hot spots are the pencil's point and the dropper's tip.
QCursor pencilCursor();
QCursor dropperCursor();
QImage pencilPicture();
QImage dropperPicture();

// 98 × 194: a row of browns, twelve hues each from dark to light, greys, then black and white.
QImage swatchPicture();

}  // namespace veltrix
