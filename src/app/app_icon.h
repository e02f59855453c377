// The application icon, carried in the program at every size the desktop asks for.
#pragma once

#include <QIcon>

namespace veltrix {

inline constexpr int kAppIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

QIcon applicationIcon();

}  // namespace veltrix
