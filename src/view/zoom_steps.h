// How much one step of the zoom controls changes the zoom, and how wheel movement becomes steps.
#pragma once

#include "view/view_state.h"

namespace veltrix {

inline constexpr double kZoomInStep = 1.02;   // "=" / "+", the toolbar's "放大"
inline constexpr double kZoomOutStep = 0.98;  // "-", the toolbar's "缩小"
inline constexpr double kWheelStep = 0.02;    // per notch, shrinking when turned away
inline constexpr int kWheelNotch = 120;       // angle delta of one notch of a classic wheel

// Adds the wheel's movement to what is left from earlier events and returns the whole notches
// it makes, positive away from the user; the rest waits for the next event.
inline int wholeNotches(ViewState& view, int angleDelta) {
  const int total = view.wheelRemainder + angleDelta;
  view.wheelRemainder = total % kWheelNotch;
  return total / kWheelNotch;
}

}  // namespace veltrix
