#include "app/app_icon.h"

namespace veltrix {

QIcon applicationIcon() {
  // Drawn pictures at each size rather than one scaled: the small ones are rendered for their
  // size and stay sharp in a title bar or a task list.
  QIcon icon;
  for (const int size : kAppIconSizes)
    icon.addFile(QStringLiteral(":/icons/app/veltrix-%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace veltrix
