// The main window's side of head framing: the "工具" menu, and the head guides shown over the
// view canvas while the user asks for them, remembered in the settings file.
#pragma once

class QAction;
class QMenuBar;

namespace veltrix {

class Program;
class ViewCanvasWidget;

class FramingRoom {
 public:
  // Puts its menu before the menu bar's last one, and reads whether the guides were shown.
  FramingRoom(Program& program, QMenuBar& menuBar, ViewCanvasWidget& viewCanvas);
  ~FramingRoom();

  FramingRoom(const FramingRoom&) = delete;
  FramingRoom& operator=(const FramingRoom&) = delete;

  void showGuides(bool shown);

 private:
  Program& program_;
  ViewCanvasWidget& viewCanvas_;
  QAction* guidesAction_;
};

}  // namespace veltrix
