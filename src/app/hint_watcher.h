// Watches the mouse entering and moving over any widget of one window and reports it, so the
// window can show the hint of whatever is under the mouse.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>

class QWidget;

namespace veltrix {

class HintWatcher : public QObject {
  Q_OBJECT
 public:
  using Report = std::function<void(QWidget* under, QPoint at)>;

  HintWatcher(QWidget* window, Report report);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  Report report_;
  QPointer<QWidget> lastWidget_;
  QPointF lastGlobal_;
};

}  // namespace veltrix
