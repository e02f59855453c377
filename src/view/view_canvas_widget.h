// The visible view canvas: paints the program's view-canvas image one to one.
#pragma once

#include <QImage>
#include <QWidget>

namespace veltrix {

class ViewCanvasWidget : public QWidget {
  Q_OBJECT
 public:
  ViewCanvasWidget(const QImage& image, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QImage& image_;
};

}  // namespace veltrix
