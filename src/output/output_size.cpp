#include "output/output_size.h"

#include "settings/number_rules.h"

namespace veltrix {

int mmToPixels(double mm, int dpi) {
  return truncToInt(roundHalfAway(mm * dpi / 25.4));
}

float pixelsToMm(int pixels, int dpi) {
  if (dpi == 0) return 0.0f;
  return static_cast<float>(roundHalfAway(pixels * 25.4 / dpi * 10.0) / 10.0);
}

}  // namespace veltrix
