// The main window: menu bar, toolbar, view canvas, scroll bars, size panel and status bar,
// laid out by the design formulas on every size change.
#pragma once

#include <QWidget>
#include <memory>

#include "output/size_controller.h"
#include "save/crop_save.h"
#include "view/frame_controller.h"
#include "view/picture_loading.h"

class QLineEdit;
class QMenuBar;
class QScrollBar;
class QToolBar;

namespace veltrix {

class BatchRoom;
class CameraRoom;
class FramingRoom;
class SheetsRoom;
class Program;
class HintWatcher;
class SizeController;
class SizePanel;
class StatusBar;
class ToolPalette;
class ToolsRoom;
class CanvasTool;
class ViewCanvasWidget;

class MainWindow : public QWidget, private SizeHost, private FrameHost {
  Q_OBJECT
 public:
  static constexpr int kDesignClientWidth = 586;
  static constexpr int kDesignClientHeight = 360;

  explicit MainWindow(Program& program);
  ~MainWindow() override;

  // The start-up sequence after the single-instance guard: shows the window at its design
  // client size and sets the initial state.
  void start();

  // Writes the hint into the status bar only when it changes, so moving the mouse does
  // not make the status bar flicker.
  void setHint(const QString& text);

  // Loads a picture file as the current picture and shows it; false when it could not be read.
  bool loadPicture(const QString& path);
  // A photo from the camera becomes the current picture, fitted to the view.
  void showPhoto(const QImage& photo);
  // Shows a picture file decoded ahead, as loadPicture does.
  bool showLoadedPicture(const QString& path, LoadedPicture loaded);
  // Lets the current picture go and shows the empty view.
  void releasePicture();
  // Gives the keys to the picture.
  void focusPicture();
  // The open command: asks for a picture file and opens it.
  void openPictureDialog();
  // Opens a picture file the user chose, by the dialog, a drop or the command line.
  void openPicture(const QString& path);
  // Files dropped on the view canvas: one picture file is loaded, anything else refused.
  void acceptDroppedFiles(const QStringList& paths);

  // The save command of the crop buttons and the toolbar.
  void saveCrop();

  // The commands of the toolbar and the menus.
  void togglePalette();
  void rotatePicture(int degrees);
  // Ctrl+V and Ctrl+C on the view canvas.
  void pasteFromClipboard();
  void copyFrameToClipboard();
  void cameraCommand();
  void openCameraWindow();
  void helpCommand();
  void homePageCommand();
  void aboutCommand();

  // Fits the document's new picture to the view and shows it.
  void showPicture();
  // Multiplies the zoom and redraws; does nothing without a picture.
  void zoomBy(double factor);

  // Shows the view's scroll bar state on the scroll bar widgets and repaints the canvas.
  void showView();
  // Every editing tool off, typed text and a stroke committed first.
  void switchToolsOff();
  // A command that needs a picture found none.
  void askForPicture() override;

  QWidget* client() const { return client_; }
  ToolPalette* toolPalette() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  // What the size panel and the frame ask of the window.
  SizeRoom room() const override;
  QSize outerSize() const override;
  void resizeOuter(QSize outer) override;
  void centreOnScreen() override;
  void showFrame() override;
  void centreFrame() override;
  void refuseForScreen() override;
  void persistSizes(const QList<QPair<const char*, QString>>& keys) override;
  void fitCameraToOutput(SizeChange change) override;
  void focusView() override;
  void persistJpgLimit(const QString& text) override;
  void chooseCustomSize() override;
  void showDraggedSize(bool width, bool height) override;
  void setCanvasCursor(Qt::CursorShape shape) override;
  void flushTextInput() override;

  // The hint of the control under the mouse, which first ends a drag on every control but the
  // view canvas and the text entry box.
  void showHintFor(QWidget* under, QPoint at);
  void showCanvasHint();
  void tellPageNotOpened(const QString& page);

  void connectFrameControls();
  void changeFrameColour(int page, const QColor& colour);
  // Ends the drag or stroke of the tool on the canvas; every command does this first.
  void endPointerAction();
  // The editing tool that is on, else the capture frame, takes the canvas's pointer.
  CanvasTool& canvasTool();
  // Re-arms the ticked editing tool once the view is built again.
  void restoreActiveTool(bool textToo);
  // The view canvas's events, handed to the tool on it and the view's commands.
  bool canvasEvent(QEvent* event);
  // A drag that leaves the canvas over another control ends there, as that control's hint does.
  bool dragLeftCanvas(QPoint at);

  void saveSingleCrop();
  CropSource cropSource() const;

  void buildMenus();
  void buildToolbar();
  void layoutMainWindow();
  void followMainWindow();
  void placeFrameCanvas();
  bool eventFilter(QObject* watched, QEvent* event) override;

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
  FrameController* frameController_ = nullptr;
  std::unique_ptr<BatchRoom> batchRoom_;
  std::unique_ptr<CameraRoom> cameraRoom_;
  std::unique_ptr<SheetsRoom> sheetsRoom_;
  std::unique_ptr<ToolsRoom> toolsRoom_;
  std::unique_ptr<FramingRoom> framingRoom_;
  SizeController* sizeController_ = nullptr;
  HintWatcher* hintWatcher_ = nullptr;
  bool showingView_ = false;
};

}  // namespace veltrix
