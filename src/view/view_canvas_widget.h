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
  // Guides that stay over the picture while they are switched on.
  void setOverlay(Overlay overlay);
  // What marks the pointer's place, such as the pen's outline: painted over the overlay, never
  // into the image that crops, copies and the eyedropper read, and gone when the pointer leaves.
  void setPointerMark(Overlay mark);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  const QImage& image_;
  Overlay overlay_;
  Overlay pointerMark_;
};

}  // namespace veltrix
