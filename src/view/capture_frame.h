// Where the capture frame's interior lies on the view canvas. Its size is always the output
// size, so only the position is kept here.
#pragma once

namespace veltrix {

struct CaptureFrame {
  int interiorLeft = 0;
  int interiorTop = 0;
};

// Centres a frame interior of the given size on the canvas centre.
inline void centreFrame(CaptureFrame& frame, int centreX, int centreY, int width, int height) {
  frame.interiorLeft = centreX - width / 2;
  frame.interiorTop = centreY - height / 2;
}

}  // namespace veltrix
