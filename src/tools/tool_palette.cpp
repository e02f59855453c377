#include "tools/tool_palette.h"

#include <algorithm>

namespace veltrix {

ToolPalette::ToolPalette(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("ToolPalette"));
  resize(kOuterWidth, kOuterHeight);
  move(positionBeside(mainWindow->frameGeometry().topLeft()));
  hide();
}

QPoint ToolPalette::positionBeside(QPoint mainTopLeft) {
  return {std::max(0, mainTopLeft.x() - 75), mainTopLeft.y() + 75};
}

}  // namespace veltrix
