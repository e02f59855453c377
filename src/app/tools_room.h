// The main window's side of the editing tools: the palette window beside it, and what the tools
// ask of the window: the frame lines, the view shown again, the canvas cursor, hints and the
// batch's navigation keys.
#pragma once

#include "tools/tool_host.h"

class QLineEdit;

namespace veltrix {

class BatchRoom;
class MainWindow;
class Program;
class ToolPalette;
class ToolsController;
class ViewCanvasWidget;

class ToolsRoom final : public ToolHost {
 public:
  ToolsRoom(Program& program, MainWindow& window, ViewCanvasWidget& viewCanvas, QLineEdit& entry,
            BatchRoom& batch);
  // The palette and the controller go first: once the window's records are gone, no late event
  // of the palette may reach the tools.
  ~ToolsRoom() override;

  ToolPalette& palette() { return *palette_; }
  ToolsController& controller() { return *controller_; }

  // The edit command: shows or hides the palette, and asks for a picture when there is none.
  void togglePalette();

  FrameLines frameLines() const override;
  void showView() override;
  void setCanvasCursor(const QCursor& cursor) override;
  void markPointer(std::function<void(QPainter&)> mark) override;
  void focusView() override;
  void setHint(const QString& hint) override;
  void releaseNavigationKeys() override;
  void navigationKeysBack() override;

 private:
  Program& program_;
  MainWindow& window_;
  ViewCanvasWidget& viewCanvas_;
  BatchRoom& batch_;
  ToolPalette* palette_;
  ToolsController* controller_;
};

}  // namespace veltrix
