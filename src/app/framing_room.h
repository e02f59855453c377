// The main window's side of head framing: the "工具" menu, the head guides shown over the view
// canvas while the user asks for them (remembered in the settings file), and the one-click
// framing of the head in the picture.
#pragma once

class QMenuBar;

namespace veltrix {

class MainWindow;
class Program;
class SizeHost;
class ViewCanvasWidget;

class FramingRoom {
 public:
  // Puts its menu before the menu bar's last one, with the guides as the start-up settings had
  // them.
  FramingRoom(Program& program, MainWindow& window, SizeHost& frameHost, QMenuBar& menuBar,
              ViewCanvasWidget& viewCanvas);
  ~FramingRoom();

  FramingRoom(const FramingRoom&) = delete;
  FramingRoom& operator=(const FramingRoom&) = delete;

  void showGuides(bool shown);
  // Sets the zoom, the scroll and the frame so that the head meets the output size's rule, or
  // tells why it cannot: in a message, or for a batch that frames every picture in the status
  // bar, which does not stop the user's keys. The output size stays.
  enum class Tell { InMessage, InStatusBar };
  void frameHead(Tell tell = Tell::InMessage);

 private:
  Program& program_;
  MainWindow& window_;
  SizeHost& frameHost_;
  ViewCanvasWidget& viewCanvas_;
};

}  // namespace veltrix
