#include "tools/pen_tool.h"

#include "tools/canvas_marks.h"

namespace veltrix {

bool PenTool::press(QPoint at) {
  EditTools& edit = canvas_.edit;
  if (!canvas_.document.present) return true;
  edit.strokePending = true;
  drawDot(canvas_.view.backCanvas, at, edit.penWidth, edit.colour);
  edit.lastPoint = at;
  canvas_.erasePreview();
  return true;
}

bool PenTool::move(QPoint at) {
  EditTools& edit = canvas_.edit;
  if (!canvas_.document.present) return true;
  if (edit.strokePending) {
    drawStrokeSegment(canvas_.view.backCanvas, edit.lastPoint, at, edit.penWidth, edit.colour);
    edit.lastPoint = at;
    canvas_.erasePreview();
    return true;
  }
  // The outline follows the pointer over the view: a crop or a copy taken now must not hold it.
  canvas_.host.markPointer([at, width = edit.penWidth, colour = edit.colour](QPainter& painter) {
    outlineDot(painter, at, width, colour);
  });
  return true;
}

bool PenTool::holdsPointer() const {
  return canvas_.edit.strokePending;
}

void PenTool::endPointerAction() {
  if (canvas_.edit.strokePending) canvas_.bake();
}

}  // namespace veltrix
