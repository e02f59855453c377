// What the editing tools ask of the window around the view canvas.
#pragma once

#include <QCursor>
#include <QString>
#include <functional>

#include "view/frame_lines.h"

class QPainter;

namespace veltrix {

class ToolHost {
 public:
  virtual ~ToolHost() = default;
  // The frame lines as they stand, drawn over every view the tools show.
  virtual FrameLines frameLines() const = 0;
  // The view canvas image changed; after a bake the scroll bars follow it too.
  virtual void showView() = 0;
  virtual void setCanvasCursor(const QCursor& cursor) = 0;
  // Paints over the view on the screen only, where crops, copies and the eyedropper never see
  // it; an empty mark takes the last one away.
  virtual void markPointer(std::function<void(QPainter&)> mark) = 0;
  virtual void focusView() = 0;
  virtual void setHint(const QString& hint) = 0;
  // The batch's letter keys would take what is typed into the text box: they stay released
  // while the text tool is on and come back, while the batch runs, when it is off.
  virtual void releaseNavigationKeys() = 0;
  virtual void navigationKeysBack() = 0;
};

}  // namespace veltrix
