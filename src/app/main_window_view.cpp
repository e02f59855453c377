// The main window's view canvas: picture loading, zoom, scrolling and the canvas's own events,
// which go to the tool on the canvas.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include "app/batch_room.h"
#include "app/hints.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/status_bar.h"
#include "app/tools_room.h"
#include "platform/prompter.h"
#include "platform/utf8.h"
#include "tools/tools_controller.h"
#include "view/picture_loading.h"
#include "view/texts.h"
#include "view/view_canvas_widget.h"
#include "view/view_render.h"
#include "view/zoom_steps.h"

namespace veltrix {

void MainWindow::showView() {
  showingView_ = true;
  const auto mirror = [](QScrollBar* bar, const ScrollAxis& axis) {
    bar->setEnabled(axis.enabled);
    if (!axis.enabled) return;
    bar->setRange(0, axis.maximum);
    bar->setValue(axis.position);
  };
  mirror(hScroll_, program_.view.horizontal);
  mirror(vScroll_, program_.view.vertical);
  showingView_ = false;
  viewCanvas_->update();
}

bool MainWindow::loadPicture(const QString& path) {
  return showLoadedPicture(path, decodeForView(path, program_.view.backCanvas.size()));
}

bool MainWindow::showLoadedPicture(const QString& path, LoadedPicture loaded) {
  const std::optional<DecodeFailure> failure =
      veltrix::showLoadedPicture(program_.document, program_.view, std::move(loaded),
                                 frameLines(program_.frame, program_.output));
  if (failure) {
    // The picture the user had stays, and the user learns why the file gave none.
    program_.services.prompter.notify(this, loadFailureMessage(*failure, path));
    return false;
  }
  // Text typed but not committed belongs to the old picture: it is dropped, not drawn.
  textEntry_->hide();
  textEntry_->clear();
  showView();
  restoreActiveTool(true);
  viewCanvas_->setFocus();
  return true;
}

void MainWindow::showPhoto(const QImage& photo) {
  // Text typed for the old picture is dropped with it.
  textEntry_->hide();
  textEntry_->clear();
  program_.document = {photo, true};
  showPicture();
  restoreActiveTool(true);
  // The camera window stays in front for the next photo.
  lower();
}

void MainWindow::releasePicture() {
  program_.document = ImageDocument();
  clearCanvases(program_.view);
  program_.view.horizontal.enabled = program_.view.vertical.enabled = false;
  showView();
}

void MainWindow::focusPicture() {
  viewCanvas_->setFocus();
}

void MainWindow::openPictureDialog() {
  FileDialogRequest request;
  request.title = u8(view_texts::kOpenTitle);
  request.filter = u8(view_texts::kOpenFilter);
  const QString path = program_.services.prompter.openFile(this, request);
  if (path.isEmpty()) return;
  openPicture(path);
}

// A file that gives no picture leaves the one shown, and the name it is cropped under, as they
// were.
void MainWindow::openPicture(const QString& path) {
  if (loadPicture(path)) noteUserPicture(program_.batch, path);
}

void MainWindow::acceptDroppedFiles(const QStringList& paths) {
  const DropDecision decision = decideDrop(paths);
  if (!decision.refusal.isEmpty()) {
    program_.services.prompter.notify(this, decision.refusal);
    return;
  }
  openPicture(decision.path);
}

void MainWindow::showPicture() {
  showNewPicture(program_.view, program_.document, frameLines(program_.frame, program_.output));
  showView();
}

void MainWindow::zoomBy(double factor) {
  if (!program_.document.present) return;
  // Text typed over the picture belongs where it was typed: it is committed before the view
  // changes under it.
  flushTextInput();
  zoomView(program_.view, program_.document, factor, frameLines(program_.frame, program_.output));
  showView();
  viewCanvas_->setFocus();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_) {
    if (event->type() == QEvent::MouseButtonRelease) endPointerAction();
    return false;
  }
  if (watched == hScroll_ || watched == vScroll_) {
    if (event->type() == QEvent::MouseButtonPress) endPointerAction();
    // Once the user lets go of a scroll bar, the keys go back to the picture.
    if (event->type() == QEvent::MouseButtonRelease)
      QTimer::singleShot(0, viewCanvas_, qOverload<>(&QWidget::setFocus));
    return false;
  }
  if (watched == viewCanvas_) return canvasEvent(event);
  if (watched == statusBar_ && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const ShellState& shell = program_.shell;
    if (overBatchIndicator(mouse->position().toPoint().x(), shell.lastOuterWidth,
                           shell.widthCorrection) &&
        (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton))
      batchRoom_->controller().indicatorPressed(mouse->button() == Qt::RightButton);
    return false;
  }
  return QWidget::eventFilter(watched, event);
}

bool MainWindow::canvasEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter: {
      auto* drag = static_cast<QDragEnterEvent*>(event);
      if (drag->mimeData()->hasUrls()) drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      QStringList paths;
      for (const QUrl& url : static_cast<QDropEvent*>(event)->mimeData()->urls())
        paths << (url.isLocalFile() ? url.toLocalFile() : url.toString());
      acceptDroppedFiles(paths);
      return true;
    }
    case QEvent::Wheel: {
      const int notches =
          wholeNotches(program_.view, static_cast<QWheelEvent*>(event)->angleDelta().y());
      endPointerAction();
      if (notches != 0) zoomBy(1.0 - kWheelStep * notches);
      return true;
    }
    // The second press of a quick double click is a press like the first.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::RightButton) {
        if (toolsRoom_) toolsRoom_->controller().endAllTools();
        showCanvasHint();
        return true;
      }
      if (mouse->button() != Qt::LeftButton) return true;
      viewCanvas_->setFocus();
      canvasTool().press(mouse->position().toPoint());
      return true;
    }
    case QEvent::MouseMove: {
      const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
      if (dragLeftCanvas(at)) return true;
      canvasTool().move(at);
      showCanvasHint();
      return true;
    }
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return true;
      if (!canvasTool().release(mouse->position().toPoint())) endPointerAction();
      showCanvasHint();
      return true;
    }
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_V) {
        pasteFromClipboard();
        return true;
      }
      if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_C) {
        copyFrameToClipboard();
        return true;
      }
      if (canvasTool().key(key->key(), key->modifiers()) ||
          frameController_->key(key->key(), key->modifiers()))
        return true;
      const bool keypad = key->modifiers() & Qt::KeypadModifier;
      if (keypad || (key->key() != Qt::Key_Minus && key->key() != Qt::Key_Equal &&
                     key->key() != Qt::Key_Plus))
        return false;
      // The keys change the zoom even without a picture; the next fit replaces it.
      endPointerAction();
      flushTextInput();
      zoomView(program_.view, program_.document,
               key->key() == Qt::Key_Minus ? kZoomOutStep : kZoomInStep,
               frameLines(program_.frame, program_.output));
      showView();
      return true;
    }
    default:
      return false;
  }
}

CanvasTool& MainWindow::canvasTool() {
  CanvasTool* tool = toolsRoom_ ? toolsRoom_->controller().activeTool() : nullptr;
  return tool ? *tool : *frameController_;
}

bool MainWindow::dragLeftCanvas(QPoint at) {
  // The canvas keeps the mouse while a button is held.
  if (!canvasTool().holdsPointer() || viewCanvas_->rect().contains(at)) return false;
  const QPoint inClient = viewCanvas_->mapTo(client_, at);
  QWidget* under = client_->childAt(inClient);
  if (!under || under == viewCanvas_ || viewCanvas_->isAncestorOf(under)) return false;
  showHintFor(under, under->mapFrom(client_, inClient));
  return true;
}

}  // namespace veltrix
