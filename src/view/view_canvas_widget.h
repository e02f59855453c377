// The visible view canvas: paints the program's view-canvas image one to one, and over it
// whatever is shown on the screen only and never belongs to a picture.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

class QPainter;

namespace veltrix {

class ViewCanvasWidget : public QWidget {
  Q_OBJECT
 public:
  ViewCanvasWidget(const QImage& image, QWidget* parent);

  using Overlay = std::function<void(QPainter&)>;
  void setOverlay(Overlay overlay);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QImage& image_;
  Overlay overlay_;
};

}  // namespace veltrix
