#include "app/hint_watcher.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace veltrix {

HintWatcher::HintWatcher(QWidget* window, Report report)
    : QObject(window), window_(window), report_(std::move(report)) {
  qApp->installEventFilter(this);
}

bool HintWatcher::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::Enter && type != QEvent::MouseMove) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != window_) return false;
  const auto* pointer = static_cast<QSinglePointEvent*>(event);
  const QPointF global = pointer->globalPosition();
  // A move that the widget under the mouse leaves unhandled travels on to its parents; the
  // hint belongs to the widget it reached first.
  if (widget != lastWidget_ && widget->isAncestorOf(lastWidget_) && global == lastGlobal_)
    return false;
  lastWidget_ = widget;
  lastGlobal_ = global;
  report_(widget, pointer->position().toPoint());
  return false;
}

}  // namespace veltrix
