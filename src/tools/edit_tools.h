// The editing tools' state: edit mode, the active tool, a pending pen stroke and the
// character cell of the text font.
#pragma once

#include <QPoint>

namespace veltrix {

struct EditTools {
  bool editMode = false;
  bool penActive = false;
  bool textActive = false;
  bool eyedropperActive = false;
  bool strokePending = false;
  QPoint lastPoint;
  int charWidth = 6;
  int charHeight = 12;
};

}  // namespace veltrix
