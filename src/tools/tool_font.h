// The text tool's font as the canvas and the entry box draw it. Chinese font names of the design
// are not installed here: one substitution gives the face that stands in for them, and a size in
// points becomes pixels at 96 per inch, so the box shows what the canvas will get.
#pragma once

#include <QFont>
#include <QString>

namespace veltrix {

// The installed face that draws a face name; names with no stand-in come back unchanged.
QString substituteFace(const QString& face);

// The chosen font as the text tool draws it: the stand-in face, the size in pixels, grey-scale
// antialiasing and never subpixel colours, which would tint the saved picture.
QFont toolFont(const QFont& chosen);

// "宋体" at 9 points, as the font dialog offers it.
QFont startFont();

}  // namespace veltrix
