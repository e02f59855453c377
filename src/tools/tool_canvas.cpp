#include "tools/tool_canvas.h"

#include "tools/canvas_marks.h"
#include "view/view_render.h"

namespace veltrix {

void ToolCanvas::bake() {
  edit.strokePending = false;
  bakeBackCanvas(view, document, host.frameLines());
  host.showView();
}

void ToolCanvas::erasePreview() {
  host.markPointer({});
  if (!document.present) return;
  erasePenPreview(view, host.frameLines());
  host.showView();
}

}  // namespace veltrix
