// The application shell's record: folders, screen size, the main window's size corrections,
// the hint shown in the status bar and whether the head guides are shown over the view.
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
  bool headGuidesShown = false;
};

}  // namespace veltrix
