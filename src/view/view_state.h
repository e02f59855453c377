// What the view canvas shows and where: zoom, placement and scrolling of the picture, and
// the canvases as images the program owns. Crops and the eyedropper read these images,
// never the screen, so what is saved is exactly what is shown.
#pragma once

#include <QImage>

namespace veltrix {

// One scroll bar as the view sets it; the window mirrors it onto its scroll bar widget.
struct ScrollAxis {
  bool enabled = false;
  int maximum = 0;
  int position = 0;
};

struct ViewState {
  double zoom = 0.0;
  int scaledWidth = 0;
  int scaledHeight = 0;
  int offsetX = 0;  // where the picture starts on the back and view canvas
  int offsetY = 0;
  int sourceX = 0;  // first picture-canvas column and row shown
  int sourceY = 0;
  int shownWidth = 0;
  int shownHeight = 0;
  double scrollFractionX = 0.0;  // 0 reads as 0.5 at the next full redraw
  double scrollFractionY = 0.0;
  int centreX = 0;
  int centreY = 0;
  ScrollAxis horizontal;
  ScrollAxis vertical;
  // Wheel movement not yet making a whole notch: fine-grained wheels and touchpads send
  // many small steps that only add up to one.
  int wheelRemainder = 0;

  QImage pictureCanvas;  // the whole picture at the zoom
  QImage backCanvas;     // the view without the frame lines
  QImage viewCanvas;     // what the user sees: the back canvas plus the frame lines
};

// A canvas of the given size, white as an empty view is.
QImage blankCanvas(int width, int height);

}  // namespace veltrix
