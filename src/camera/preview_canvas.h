// The live picture on the camera window: each frame scaled to the preview's size as it arrives,
// and kept as shown, so that a photo holds exactly the pixels the user saw.
#pragma once

#include <QImage>
#include <QWidget>

namespace veltrix {

class PreviewCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit PreviewCanvas(QWidget* parent = nullptr);

  void showFrame(const QImage& frame);
  // Black until the next frame: a camera let go of leaves nothing to be taken.
  void clear();
  // The last frame as shown, at the preview's size; null before the first.
  const QImage& shown() const { return shown_; }

 signals:
  // A frame is on the screen: the paint that drew it has just finished.
  void framePainted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage frame_;  // as the camera sent it
  QImage shown_;
};

}  // namespace veltrix
