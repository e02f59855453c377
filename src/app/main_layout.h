// Where the main window's controls go for a given outer size. The formulas work on the outer
// size less the corrections, which is the client size plus the design frame (8 x 54).
#pragma once

namespace veltrix {

struct MainLayout {
  int canvasWidth = 0;
  int canvasHeight = 0;
  int centreX = 0;
  int centreY = 0;
  int hScrollTop = 0;
  int vScrollLeft = 0;
  int panelLeft = 0;
  int panelHeight = 0;
  int buttonMiddle = 0;  // the frame buttons are placed around this line
  int statusPart0Width = 0;
};

MainLayout computeMainLayout(int outerWidth, int outerHeight, int widthCorrection,
                             int heightCorrection);

}  // namespace veltrix
