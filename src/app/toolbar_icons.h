// The main window's toolbar pictures, drawn as vector paths so that they stay sharp at every
// size and screen scale factor.
#pragma once

#include <QIcon>

namespace veltrix {

// The size in device-independent pixels the toolbar pictures are designed for.
inline constexpr int kToolbarIconSize = 24;

// The picture for toolbar slot `slot` (0 to 12); a null icon for the separator slots 0, 3 and 9
// and for any slot outside the toolbar.
QIcon toolbarIcon(int slot);

}  // namespace veltrix
