// The work a kill test interrupts, one case a file. `setup` prepares a home for the case,
// `run` works in it until it is killed, and `check` says whether what a kill left is sound,
// printing one line of what it found.
#pragma once

#include <QString>

namespace veltrix::kill {

struct KillCase {
  const char* name;
  // The kill falls within this many seconds after the work has begun: about two rounds of it.
  double window;
  int (*setup)(const QString& home);
  int (*run)(const QString& home, quint32 seed);
  int (*check)(const QString& home);
};

// A batch navigating and cropping through the main window.
KillCase batchCase();
// A 24-megapixel crop saved as PNG over the previous one, again and again.
KillCase pictureCase();
// The batch and quick-shoot settings sections written as their settings windows write them.
KillCase settingsCase();
// A task file of 500 pictures made anew, moved through and marked, as a batch does.
KillCase taskCase();
// Quick shots from the camera window, one numbered PNG a press.
KillCase quickShotCase();

}  // namespace veltrix::kill
