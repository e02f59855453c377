// The small rules the editing tools share: the colour behind typed text, the pen width read
// from its box, the box of the dot a pen press makes, and the width of the text entry box.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

namespace veltrix {

// Pens wider than this paint so much per step that the program would stall; typed widths stop
// here.
inline constexpr int kMaxPenWidth = 100;

// The colour with each of red, green and blue turned to 255 minus itself.
QColor contrastColour(const QColor& colour);
// Behind text of a colour: its contrast, except for middle grey, whose contrast is itself.
QColor entryBackground(const QColor& textColour);

// The leading number of the box's text, truncated: 0 when the text starts with none. Negative
// numbers pass, larger ones stop at kMaxPenWidth.
int penWidthFrom(const QString& text);
// The width lines are drawn with: widths below 1 draw the thinnest line.
int lineWidth(int penWidth);

// The pixels a press at `at` fills for a pen of width w; empty for widths of 1 and below.
QRect dotBox(QPoint at, int w);

// The entry box holds its text and two more characters, a Chinese character counting two.
int entryWidth(const QString& text, int charWidth);

}  // namespace veltrix
