// The output size's arithmetic: millimetre and pixel conversions, how numbers show in the
// boxes, the size presets, and whether a size fits the view or the screen.
#pragma once

#include <QSize>
#include <QString>
#include <array>

namespace veltrix {

int mmToPixels(double mm, int dpi);
float pixelsToMm(int pixels, int dpi);  // one decimal place

struct SizePreset {
  int pixelWidth;
  int pixelHeight;
  int dpi;
  float mmWidth;
  float mmHeight;
};

// By the index of the size-type list; index 1, "自定义", is custom and has no values.
inline constexpr int kCustomSizeIndex = 1;
inline constexpr std::array<SizePreset, 9> kSizePresets = {{
    {160, 210, 160, 25, 33},
    {0, 0, 0, 0, 0},
    {358, 441, 350, 26, 32},
    {260, 390, 300, 22, 32},
    {319, 449, 300, 27, 38},
    {295, 413, 300, 25, 35},
    {413, 531, 300, 35, 45},
    {390, 567, 300, 33, 48},
    {413, 626, 300, 35, 53},
}};

// What the main window has around the output: its view canvas, the screen and the window's
// corrections, from which the outer size that gives the frame room is found.
struct SizeRoom {
  QSize canvas;
  QSize screen;
  int widthCorrection = 0;
  int heightCorrection = 0;
};

// The view canvas is this much narrower and lower than the main window's outer size less its
// corrections; the main window's layout keeps to it.
inline constexpr int kCanvasWidthBelowOuter = 183;
inline constexpr int kCanvasHeightBelowOuter = 135;
// The canvas must be more than this wider and higher than the frame, so the frame shows whole.
inline constexpr int kFrameRoom = 30;
// A window grown for the frame leaves this much of the screen free.
inline constexpr int kScreenSpareWidth = 10;
inline constexpr int kScreenSpareHeight = 20;

// Sizes are added up in 64 bits: a box can hold any int, and the sum must still be compared
// honestly with the canvas and the screen instead of wrapping round.

// The view canvas must be more than 30 pixels wider and higher than the frame.
inline bool widthFits(qint64 width, const SizeRoom& room) {
  return width + kFrameRoom < room.canvas.width();
}
inline bool heightFits(qint64 height, const SizeRoom& room) {
  return height + kFrameRoom < room.canvas.height();
}

// The outer window size that makes the view canvas exactly kFrameRoom larger than the frame.
inline qint64 requiredOuterWidth(qint64 width, const SizeRoom& room) {
  return width + kFrameRoom + kCanvasWidthBelowOuter + room.widthCorrection;
}
inline qint64 requiredOuterHeight(qint64 height, const SizeRoom& room) {
  return height + kFrameRoom + kCanvasHeightBelowOuter + room.heightCorrection;
}

// Whether a window grown for that size still fits the screen.
inline bool widthOnScreen(qint64 width, const SizeRoom& room) {
  return requiredOuterWidth(width, room) + kScreenSpareWidth <= room.screen.width();
}
inline bool heightOnScreen(qint64 height, const SizeRoom& room) {
  return requiredOuterHeight(height, room) + kScreenSpareHeight <= room.screen.height();
}

}  // namespace veltrix
