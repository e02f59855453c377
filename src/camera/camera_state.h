// The camera window's state that outlives the window, such as the camera's aspect.
#pragma once

namespace veltrix {

struct CameraState {
  bool open = false;
  bool initializing = false;
  double aspect = 0.75;  // height / width of the camera's frames
  int lastWidth = 0;
  int lastHeight = 0;
  int frameLeft = 0;
  int frameTop = 0;
};

}  // namespace veltrix
