// The small tool window beside the main window; it follows the main window's position.
#pragma once

#include <QPoint>
#include <QWidget>

namespace veltrix {

class ToolPalette : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kOuterWidth = 75;
  static constexpr int kOuterHeight = 318;

  explicit ToolPalette(QWidget* mainWindow);

  // Where the palette goes for a main window whose outer top-left is mainTopLeft.
  static QPoint positionBeside(QPoint mainTopLeft);
};

}  // namespace veltrix
