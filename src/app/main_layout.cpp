#include "app/main_layout.h"

#include "output/output_size.h"

namespace veltrix {
namespace {

// Distances of the design layout, from the right and bottom of the outer size less the
// corrections: the scroll bars beside the canvas, and the size panel right of them.
constexpr int kHorizontalScrollBarAboveBottom = 86;
constexpr int kVerticalScrollBarLeftOfRight = 178;
constexpr int kPanelLeftOfRight = 162;
constexpr int kPanelHeightBelowOuter = 122;
// The frame buttons stand around a line that stays this far into the panel's free height.
constexpr int kButtonsFreeHeight = 165;
constexpr int kButtonsTop = 164;

}  // namespace

MainLayout computeMainLayout(int outerWidth, int outerHeight, int widthCorrection,
                             int heightCorrection) {
  const int e = outerWidth - widthCorrection;
  const int f = outerHeight - heightCorrection;
  MainLayout layout;
  layout.canvasWidth = e - kCanvasWidthBelowOuter;
  layout.canvasHeight = f - kCanvasHeightBelowOuter;
  layout.centreX = layout.canvasWidth / 2;
  layout.centreY = layout.canvasHeight / 2;
  layout.hScrollTop = f - kHorizontalScrollBarAboveBottom;
  layout.vScrollLeft = e - kVerticalScrollBarLeftOfRight;
  layout.panelLeft = e - kPanelLeftOfRight;
  layout.panelHeight = f - kPanelHeightBelowOuter;
  layout.buttonMiddle = (layout.panelHeight - kButtonsFreeHeight) / 2 + kButtonsTop;
  layout.statusPart0Width = e - kPanelLeftOfRight;
  return layout;
}

}  // namespace veltrix
