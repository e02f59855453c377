// The main window's status-bar hints: the one of the control under the mouse, and the view
// canvas's own, which depends on the picture and the tools.
#include "app/hints.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/status_bar.h"
#include "output/size_panel.h"
#include "view/view_canvas_widget.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QToolBar>

namespace veltrix {

void MainWindow::showCanvasHint() {
  const EditTools& edit = program_.edit;
  setHint(
      canvasHint({program_.document.present, textEntry_->isVisible(), program_.batch.keysRegistered,
                  edit.penActive, edit.strokePending, edit.textActive, edit.eyedropperActive}));
}

void MainWindow::showHintFor(QWidget* under, QPoint at) {
  const bool keys = program_.batch.keysRegistered;
  for (QWidget* widget = under; widget && widget != this; widget = widget->parentWidget()) {
    if (widget == viewCanvas_) return;  // the canvas shows its own hint as the mouse moves
    const QString name = widget->objectName();
    if (!hintKeepsPointerAction(name)) endPointerAction();
    if (widget == sizePanel_->page(SizePanel::kPixelPage).cropButton ||
        widget == sizePanel_->page(SizePanel::kDpiPage).cropButton) {
      setHint(cropButtonHint(keys));
      return;
    }
    if (widget == statusBar_) {
      const int x = widget == under ? at.x() : under->mapTo(statusBar_, at).x();
      const ShellState& shell = program_.shell;
      setHint(overBatchIndicator(x, shell.lastOuterWidth, shell.widthCorrection)
                  ? batchIndicatorHint()
                  : generalHint(keys, program_.document.present));
      return;
    }
    const QString fixed = controlHint(name);
    if (!fixed.isEmpty()) {
      setHint(fixed);
      return;
    }
    if (widget == toolbar_ || widget == sizePanel_ || widget == client_) {
      setHint(generalHint(keys, program_.document.present));
      return;
    }
  }
}

}  // namespace veltrix
