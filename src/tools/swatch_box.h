// The palette's picture of colour swatches, shrunk into its box; a left press picks the colour
// shown under the pointer, read from the picture as shown rather than from the screen.
#pragma once

#include <QImage>
#include <QWidget>

namespace veltrix {

class SwatchBox : public QWidget {
  Q_OBJECT
 public:
  explicit SwatchBox(QWidget* parent);

  // The picture as the box shows it.
  const QImage& shown() const { return shown_; }

 signals:
  void picked(const QColor& colour);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QImage shown_;
};

}  // namespace veltrix
