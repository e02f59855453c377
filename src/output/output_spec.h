// The size of every picture the program saves, which is also the capture frame's size.
#pragma once

namespace veltrix {

// Which of the output's dimensions a change touched; the camera window follows accordingly.
enum class SizeChange { WidthChanged, HeightChanged, SizeChanged };

struct OutputSpec {
  int pixelWidth = 160;
  int pixelHeight = 210;
  int dpi = 160;
  float mmWidth = 25.0f;  // last accepted millimetre entries, to restore a refused one
  float mmHeight = 33.0f;
  double jpgLimitKb = 500.0;
  int previousSizeType = 0;
};

}  // namespace veltrix
