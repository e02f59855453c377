// What the status bar says while the mouse moves over the main window: one hint per control,
// the general hint, and the view canvas's hint, which follows the tool and batch state.
#pragma once

#include <QString>

namespace veltrix {

// The hint of every place that has none of its own.
QString generalHint(bool keysRegistered, bool picturePresent);

struct CanvasHintState {
  bool picturePresent = false;
  bool textEntryVisible = false;
  bool keysRegistered = false;
  bool penActive = false;
  bool strokePending = false;
  bool textActive = false;
  bool eyedropperActive = false;
};
QString canvasHint(const CanvasHintState& state);

QString cropButtonHint(bool keysRegistered);

// The batch indicator of the status bar: from 160 to 45 pixels left of its right end.
bool overBatchIndicator(int x, int outerWidth, int widthCorrection);
QString batchIndicatorHint();

// The fixed hint of a named control of the main window; empty when the control has none.
QString controlHint(const QString& objectName);

// The controls whose hint does not end a frame drag or a pen stroke.
bool hintKeepsPointerAction(const QString& objectName);

}  // namespace veltrix
