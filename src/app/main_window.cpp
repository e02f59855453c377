#include "app/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <functional>

#include "app/app_icon.h"
#include "app/batch_room.h"
#include "app/camera_room.h"
#include "app/framing_room.h"
#include "app/hint_watcher.h"
#include "app/main_layout.h"
#include "app/program.h"
#include "app/sheets_room.h"
#include "app/status_bar.h"
#include "app/texts.h"
#include "app/toolbar_icons.h"
#include "app/tools_room.h"
#include "output/size_panel.h"
#include "platform/screen.h"
#include "platform/utf8.h"
#include "settings/number_rules.h"
#include "tools/tool_palette.h"
#include "tools/tools_controller.h"
#include "view/view_canvas_widget.h"
#include "view/view_render.h"
#include "view/zoom_steps.h"
#include "widgets/choice_combo.h"

namespace veltrix {
namespace {

using namespace app_texts;

}  // namespace

MainWindow::MainWindow(Program& program) : QWidget(nullptr), program_(program) {
  setObjectName(QStringLiteral("MainWindow"));
  // Every window of the program, the dialogs and the camera's too, shows the program's icon.
  QApplication::setWindowIcon(applicationIcon());
  // Tooltips explain the toolbar also while another window has the focus.
  setAttribute(Qt::WA_AlwaysShowToolTips);
  menuBar_ = new QMenuBar(this);
  client_ = new QWidget(this);
  buildMenus();
  buildToolbar();

  viewCanvas_ = new ViewCanvasWidget(program_.view.viewCanvas, client_);
  viewCanvas_->setObjectName(QStringLiteral("可视画板"));
  viewCanvas_->setGeometry(4, 48, 411, 279);

  // The frame canvas is laid over the frame interior and only marks where the crop is taken.
  frameCanvas_ = new QWidget(viewCanvas_);
  frameCanvas_->setObjectName(QStringLiteral("截图画板"));
  frameCanvas_->setGeometry(143, 55, 120, 144);
  frameCanvas_->hide();

  textEntry_ = new QLineEdit(viewCanvas_);
  textEntry_->setObjectName(QStringLiteral("文字输入编辑框"));
  textEntry_->setGeometry(307, 78, 12, 18);
  textEntry_->hide();

  viewCanvas_->installEventFilter(this);
  viewCanvas_->setAcceptDrops(true);
  viewCanvas_->setMouseTracking(true);

  hScroll_ = new QScrollBar(Qt::Horizontal, client_);
  hScroll_->setObjectName(QStringLiteral("横向滚动条"));
  hScroll_->setGeometry(4, 328, 411, 12);
  vScroll_ = new QScrollBar(Qt::Vertical, client_);
  vScroll_->setObjectName(QStringLiteral("纵向滚动条"));
  vScroll_->setGeometry(416, 48, 12, 279);

  const auto scrolled = [this] {
    if (showingView_) return;
    flushTextInput();
    scrollView(program_.view, program_.document, hScroll_->value(), vScroll_->value(),
               frameLines(program_.frame, program_.output));
    viewCanvas_->update();
  };
  connect(hScroll_, &QScrollBar::valueChanged, this, scrolled);
  connect(vScroll_, &QScrollBar::valueChanged, this, scrolled);
  client_->installEventFilter(this);
  hScroll_->installEventFilter(this);
  vScroll_->installEventFilter(this);

  sizePanel_ = new SizePanel(program_.services.prompter, client_);
  sizePanel_->setObjectName(QStringLiteral("面板高级选择夹"));
  sizePanel_->setGeometry(432, 48, 152, 292);
  // Choosing a page means nothing of its own: the keys go back to the picture.
  connect(sizePanel_->tabBar(), &QTabBar::currentChanged, viewCanvas_,
          qOverload<>(&QWidget::setFocus));
  sizeController_ =
      new SizeController(program_.output, *sizePanel_, *this, program_.services.keyboard);
  frameController_ =
      new FrameController(program_.frame, program_.output, program_.document, *this, this);
  connectFrameControls();
  hintWatcher_ =
      new HintWatcher(this, [this](QWidget* under, QPoint at) { showHintFor(under, at); });

  statusBar_ = new StatusBar(client_);
  statusBar_->setObjectName(QStringLiteral("状态条1"));
  statusBar_->setGeometry(0, 340, 588, 20);
  // The hint over the status bar depends on where the mouse is along it.
  statusBar_->setMouseTracking(true);
  for (QWidget* part : statusBar_->findChildren<QWidget*>()) part->setMouseTracking(true);
  statusBar_->installEventFilter(this);
  sheetsRoom_ = std::make_unique<SheetsRoom>(program_);
  cameraRoom_ = std::make_unique<CameraRoom>(program_, *this, *sizeController_, *sheetsRoom_);
  batchRoom_ = std::make_unique<BatchRoom>(program_, *this, *sizeController_, *statusBar_,
                                           *cameraRoom_, *sheetsRoom_);

  move(50, 50);
  resize(594, 414);
}

// The navigation keys belong to this window's batch; they end with it.
MainWindow::~MainWindow() {
  // Boxes that lose the focus while the window's controls go commit their text and ask for the
  // tools, which are gone by then.
  toolsRoom_.reset();
  cameraRoom_.reset();
  sheetsRoom_.reset();
  batchRoom_->controller().releaseNavigationKeys();
}

void MainWindow::buildMenus() {
  QMenu* file = menuBar_->addMenu(u8(kFileMenu));
  connect(file->addAction(u8(kMenuOpen)), &QAction::triggered, this, [this] {
    openPictureDialog();
    viewCanvas_->setFocus();
  });
  connect(file->addAction(u8(kMenuEdit)), &QAction::triggered, this, &MainWindow::togglePalette);
  connect(file->addAction(u8(kMenuShoot)), &QAction::triggered, this,
          &MainWindow::openCameraWindow);
  QMenu* help = menuBar_->addMenu(u8(kHelpMenu));
  connect(help->addAction(u8(kMenuAbout)), &QAction::triggered, this, &MainWindow::aboutCommand);
  connect(help->addAction(u8(kMenuUserHelp)), &QAction::triggered, this, &MainWindow::helpCommand);
}

void MainWindow::buildToolbar() {
  toolbar_ = new QToolBar(client_);
  toolbar_->setObjectName(QStringLiteral("工具条1"));
  toolbar_->setGeometry(0, 0, 590, 49);
  toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  toolbar_->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
  toolbar_->setMovable(false);
  const std::function<void()> commands[] = {
      {},
      [this] { openPictureDialog(); },
      [this] { saveCrop(); },
      {},
      [this] { zoomBy(kZoomInStep); },
      [this] { zoomBy(kZoomOutStep); },
      [this] { rotatePicture(90); },
      [this] { rotatePicture(-90); },
      [this] { togglePalette(); },
      {},
      [this] { cameraCommand(); },
      [this] { helpCommand(); },
      [this] { homePageCommand(); },
  };
  static_assert(std::size(commands) == std::size(kToolbarSlots));
  for (size_t i = 0; i < std::size(kToolbarSlots); ++i) {
    const ToolbarSlot& slot = kToolbarSlots[i];
    if (!slot.caption) {
      toolbar_->addSeparator();
      continue;
    }
    QAction* action = toolbar_->addAction(toolbarIcon(static_cast<int>(i)), u8(slot.caption));
    action->setToolTip(u8(slot.tooltip));
    // Any toolbar command first ends a drag of the frame or a stroke, and commits typed text.
    connect(action, &QAction::triggered, this, &MainWindow::endPointerAction);
    connect(action, &QAction::triggered, this, &MainWindow::flushTextInput);
    connect(action, &QAction::triggered, this, commands[i]);
  }
}

void MainWindow::start() {
  ShellState& shell = program_.shell;
  show();

  const QSize screen = program_.services.screen.primarySize();
  shell.screenWidth = screen.width();
  shell.screenHeight = screen.height();

  shell.heightCorrection = kDesignClientHeight - client_->height();
  shell.widthCorrection = kDesignClientWidth - client_->width();
  resize(width(), height() + shell.heightCorrection);
  resize(width() + shell.widthCorrection, height());
  // Any smaller and the size panel's controls overlap and the frame leaves the view.
  setMinimumSize(size());

  setWindowTitle(u8(kCaption));
  setHint(u8(kStartHint));

  hScroll_->setEnabled(false);
  vScroll_->setEnabled(false);
  sizePanel_->sizeTypeCombo()->setCurrentIndex(0);

  program_.view.centreX = viewCanvas_->width() / 2;
  program_.view.centreY = viewCanvas_->height() / 2;
  const OutputSpec& output = program_.output;
  veltrix::centreFrame(program_.frame, program_.view.centreX, program_.view.centreY,
                       output.pixelWidth, output.pixelHeight);
  placeFrameCanvas();

  program_.output.jpgLimitKb =
      leadingNumber(sizePanel_->page(SizePanel::kPixelPage).jpgValue->text());

  loadStartupSettings(program_);

  toolsRoom_ = std::make_unique<ToolsRoom>(program_, *this, *viewCanvas_, *textEntry_, *batchRoom_);
  framingRoom_ = std::make_unique<FramingRoom>(program_, *this, static_cast<SizeHost&>(*this),
                                               *menuBar_, *viewCanvas_);
  batchRoom_->frameEachPictureWith(
      [this] { framingRoom_->frameHead(FramingRoom::Tell::InStatusBar); });
  // Showing window contents while dragging is the window manager's choice here, and there is
  // no graphics library to start: nothing more to do.
}

void MainWindow::setHint(const QString& hint) {
  if (hint == program_.shell.hint) return;
  program_.shell.hint = hint;
  statusBar_->setHintText(hint);
}

void MainWindow::resizeEvent(QResizeEvent*) {
  const int menuHeight = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, width(), menuHeight);
  client_->setGeometry(0, menuHeight, width(), height() - menuHeight);
  layoutMainWindow();
}

void MainWindow::moveEvent(QMoveEvent*) {
  followMainWindow();
}

// The outer size is the window without the window manager's frame, which Qt never counts:
// the client area below the menu bar keeps exactly the size the formulas give it.
void MainWindow::layoutMainWindow() {
  ShellState& shell = program_.shell;
  shell.lastOuterWidth = width();
  shell.lastOuterHeight = height();
  const MainLayout layout =
      computeMainLayout(width(), height(), shell.widthCorrection, shell.heightCorrection);

  program_.view.centreX = layout.centreX;
  program_.view.centreY = layout.centreY;
  viewCanvas_->resize(layout.canvasWidth, layout.canvasHeight);
  resizeCanvases(program_.view, layout.canvasWidth, layout.canvasHeight);

  hScroll_->setGeometry(hScroll_->x(), layout.hScrollTop, layout.canvasWidth, hScroll_->height());
  vScroll_->setGeometry(layout.vScrollLeft, vScroll_->y(), vScroll_->width(), layout.canvasHeight);
  sizePanel_->setGeometry(layout.panelLeft, sizePanel_->y(), sizePanel_->width(),
                          layout.panelHeight);
  sizePanel_->placeFrameButtons(layout.buttonMiddle);
  toolbar_->resize(client_->width() + 4, toolbar_->height());
  statusBar_->setGeometry(0, client_->height() - statusBar_->height(), client_->width(),
                          statusBar_->height());
  statusBar_->setPart0Width(layout.statusPart0Width);

  const OutputSpec& output = program_.output;
  veltrix::centreFrame(program_.frame, layout.centreX, layout.centreY, output.pixelWidth,
                       output.pixelHeight);
  placeFrameCanvas();
  if (program_.document.present) {
    redrawView(program_.view, program_.document, frameLines(program_.frame, program_.output));
    restoreActiveTool(false);
    viewCanvas_->setFocus();
  }
  showView();
}

// Maximising needs no hiding here: Qt repaints the relaid-out window in one piece.
void MainWindow::followMainWindow() {
  if (toolsRoom_)
    toolsRoom_->palette().move(ToolPalette::positionBeside(frameGeometry().topLeft()));
}

ToolPalette* MainWindow::toolPalette() const {
  return toolsRoom_ ? &toolsRoom_->palette() : nullptr;
}

void MainWindow::flushTextInput() {
  if (toolsRoom_) toolsRoom_->controller().flushTextInput();
}

void MainWindow::switchToolsOff() {
  if (toolsRoom_) toolsRoom_->controller().endAllTools();
}

void MainWindow::restoreActiveTool(bool textToo) {
  if (toolsRoom_) toolsRoom_->controller().restoreActiveTool(textToo, true);
}

}  // namespace veltrix
