#include "tools/eyedropper_tool.h"

namespace veltrix {

bool EyedropperTool::press(QPoint at) {
  const QImage& shown = canvas_.view.viewCanvas;
  if (!canvas_.document.present || !shown.rect().contains(at)) return true;
  take_(QColor(shown.pixel(at)));
  return true;
}

}  // namespace veltrix
