// The application shell's record: folders, screen size, the main window's size corrections
// and the hint shown in the status bar.
#pragma once

#include <QString>

namespace veltrix {

struct ShellState {
  QString programFolder;
  QString settingsFolder;
  QString settingsFile;
  int screenWidth = 0;
  int screenHeight = 0;
  // Design client size (586 x 360) minus the client size the window had when created.
  int widthCorrection = 0;
  int heightCorrection = 0;
  int lastOuterWidth = 0;
  int lastOuterHeight = 0;
  QString hint;
};

}  // namespace veltrix
