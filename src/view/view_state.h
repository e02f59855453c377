// What the view canvas shows and where: the canvas centre and the canvases as images the
// program owns. Crops and the eyedropper read these images, never the screen.
#pragma once

#include <QImage>

namespace veltrix {

struct ViewState {
  int centreX = 0;
  int centreY = 0;
  QImage viewCanvas;  // what the user sees: the back canvas plus the frame lines
  QImage backCanvas;  // the view without the frame lines
};

// A canvas of the given size, white as an empty view is.
QImage blankCanvas(int width, int height);

}  // namespace veltrix
