// The marks the tools leave on the back canvas and the pen's outline over the view, drawn as the
// platform's pens draw: no antialiasing, so a mark is exactly the pixels it names.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

class QPainter;

#include "view/frame_lines.h"
#include "view/view_state.h"

namespace veltrix {

// The pen's dot for a press: the ellipse filling dotBox(at, width); nothing for widths of 1.
void drawDot(QImage& canvas, QPoint at, int width, const QColor& colour);
// One step of a stroke, lineWidth(width) wide with round ends.
void drawStrokeSegment(QImage& canvas, QPoint from, QPoint to, int width, const QColor& colour);
// Outlines the dot a press would make, one pixel wide.
void outlineDot(QPainter& painter, QPoint at, int width, const QColor& colour);
// Typed text with its top-left at `topLeft`, on a transparent background.
void drawToolText(QImage& canvas, QPoint topLeft, const QString& text, const QFont& font,
                  const QColor& colour);

// Shows the back canvas again with the frame lines: the view once a mark was drawn.
void erasePenPreview(ViewState& view, const FrameLines& frame);

}  // namespace veltrix
