#include "app/main_layout.h"

namespace veltrix {

MainLayout computeMainLayout(int outerWidth, int outerHeight, int widthCorrection,
                             int heightCorrection) {
  const int e = outerWidth - widthCorrection;
  const int f = outerHeight - heightCorrection;
  MainLayout layout;
  layout.canvasWidth = e - 183;
  layout.canvasHeight = f - 135;
  layout.centreX = layout.canvasWidth / 2;
  layout.centreY = layout.canvasHeight / 2;
  layout.hScrollTop = f - 86;
  layout.vScrollLeft = e - 178;
  layout.panelLeft = e - 162;
  layout.panelHeight = f - 122;
  layout.buttonMiddle = (layout.panelHeight - 165) / 2 + 164;
  layout.statusPart0Width = e - 162;
  return layout;
}

}  // namespace veltrix
