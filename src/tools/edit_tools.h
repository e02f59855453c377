// The editing tools' state: edit mode, the active tool, a pending pen stroke, the current colour,
// the pen width, and the text font with its character cell.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>

namespace veltrix {

enum class ToolKind { None, Pen, Text, Eyedropper };

struct EditTools {
  bool editMode = false;
  bool penActive = false;
  bool textActive = false;
  bool eyedropperActive = false;
  bool strokePending = false;
  QPoint lastPoint;
  int charWidth = 6;
  int charHeight = 12;
  QColor colour = Qt::black;
  int penWidth = 1;
  QFont font;  // as the canvas draws it; set when the tools are built

  ToolKind active() const {
    if (penActive) return ToolKind::Pen;
    if (textActive) return ToolKind::Text;
    if (eyedropperActive) return ToolKind::Eyedropper;
    return ToolKind::None;
  }
  void switchOff() { penActive = textActive = eyedropperActive = false; }
};

}  // namespace veltrix
