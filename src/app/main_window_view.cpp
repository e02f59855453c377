// The main window's view canvas: picture loading, zoom, scrolling and the canvas's own events.
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
#include <map>

#include "app/main_window.h"
#include "app/program.h"
#include "platform/prompter.h"
#include "view/picture_loading.h"
#include "view/texts.h"
#include "view/view_canvas_widget.h"
#include "view/view_render.h"
#include "view/zoom_steps.h"

namespace veltrix {
namespace {

const std::map<int, MoveDirection> kArrowKeys = {{Qt::Key_Up, MoveDirection::Up},
                                                 {Qt::Key_Down, MoveDirection::Down},
                                                 {Qt::Key_Left, MoveDirection::Left},
                                                 {Qt::Key_Right, MoveDirection::Right}};

}  // namespace

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

void MainWindow::loadPicture(const QString& path) {
  loadPictureFile(program_.document, program_.view, path, frameLines());
  // Text typed but not committed belongs to the old picture: it is dropped, not drawn.
  textEntry_->hide();
  textEntry_->clear();
  showView();
  viewCanvas_->setFocus();
}

void MainWindow::openPictureDialog() {
  FileDialogRequest request;
  request.title = QString::fromUtf8(view_texts::kOpenTitle);
  request.filter = QString::fromUtf8(view_texts::kOpenFilter);
  const QString path = program_.services.prompter.openFile(this, request);
  if (path.isEmpty()) return;
  loadPicture(path);
  noteUserPicture(program_.batch, path);
}

void MainWindow::acceptDroppedFiles(const QStringList& paths) {
  const DropDecision decision = decideDrop(paths);
  if (!decision.refusal.isEmpty()) {
    program_.services.prompter.notify(this, decision.refusal);
    return;
  }
  loadPicture(decision.path);
  noteUserPicture(program_.batch, decision.path);
}

void MainWindow::showPicture() {
  showNewPicture(program_.view, program_.document, frameLines());
  showView();
}

void MainWindow::zoomBy(double factor) {
  if (!program_.document.present) return;
  zoomView(program_.view, program_.document, factor, frameLines());
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
  if (watched != viewCanvas_) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::DragEnter) {
    auto* drag = static_cast<QDragEnterEvent*>(event);
    if (drag->mimeData()->hasUrls()) drag->acceptProposedAction();
    return true;
  }
  if (event->type() == QEvent::Drop) {
    QStringList paths;
    for (const QUrl& url : static_cast<QDropEvent*>(event)->mimeData()->urls())
      paths << (url.isLocalFile() ? url.toLocalFile() : url.toString());
    acceptDroppedFiles(paths);
    return true;
  }
  if (event->type() == QEvent::Wheel) {
    const int notches =
        wholeNotches(program_.view, static_cast<QWheelEvent*>(event)->angleDelta().y());
    endPointerAction();
    if (notches != 0) zoomBy(1.0 - kWheelStep * notches);
    return true;
  }
  // The second press of a quick double click is a press like the first.
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) pressOnView(mouse->position().toPoint());
    return true;
  }
  if (event->type() == QEvent::MouseMove) {
    moveOnView(static_cast<QMouseEvent*>(event)->position().toPoint());
    return true;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) endPointerAction();
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const auto arrow = kArrowKeys.find(key);
    if (arrow != kArrowKeys.end()) {
      if (program_.document.present) nudgeFrame(arrow->second);
      return true;
    }
    const bool keypad = static_cast<QKeyEvent*>(event)->modifiers() & Qt::KeypadModifier;
    if (!keypad && (key == Qt::Key_Minus || key == Qt::Key_Equal || key == Qt::Key_Plus)) {
      // The keys change the zoom even without a picture; the next fit replaces it.
      endPointerAction();
      zoomView(program_.view, program_.document, key == Qt::Key_Minus ? kZoomOutStep : kZoomInStep,
               frameLines());
      showView();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace veltrix
