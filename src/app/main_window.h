// The main window: menu bar, toolbar, view canvas, scroll bars, size panel and status bar,
// laid out by the design formulas on every size change.
#pragma once

#include <QWidget>

class QLineEdit;
class QMenuBar;
class QScrollBar;
class QTimer;
class QToolBar;

namespace veltrix {

class Program;
class SizePanel;
class StatusBar;
class ToolPalette;
class ViewCanvasWidget;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kDesignClientWidth = 586;
  static constexpr int kDesignClientHeight = 360;

  explicit MainWindow(Program& program);

  // The start-up sequence after the single-instance guard: shows the window at its design
  // client size and sets the initial state.
  void start();

  // Writes the hint into the status bar only when it changes, so moving the mouse does
  // not make the status bar flicker.
  void setHint(const QString& text);

  QWidget* client() const { return client_; }
  ToolPalette* toolPalette() const { return toolPalette_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void buildMenus();
  void buildToolbar();
  void layoutMainWindow();
  void followMainWindow();
  void placeFrameCanvas();

  Program& program_;
  QMenuBar* menuBar_;
  QWidget* client_;
  QToolBar* toolbar_ = nullptr;
  ViewCanvasWidget* viewCanvas_;
  QWidget* frameCanvas_;
  QLineEdit* textEntry_;
  QScrollBar* hScroll_;
  QScrollBar* vScroll_;
  SizePanel* sizePanel_;
  StatusBar* statusBar_;
  QTimer* moveTimer_;
  ToolPalette* toolPalette_ = nullptr;
};

}  // namespace veltrix
