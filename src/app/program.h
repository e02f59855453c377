// The running program: every record, one owner each, and the platform services they use.
// Nothing is global, so a test builds a fresh Program with its own folders and doubles.
#pragma once

#include <QString>

#include "app/shell_state.h"
#include "batch/batch_task.h"
#include "camera/camera_state.h"
#include "camera/quick_shot_settings.h"
#include "output/output_spec.h"
#include "platform/instance_lock.h"
#include "sheets/spreadsheet_naming.h"
#include "tools/edit_tools.h"
#include "view/capture_frame.h"
#include "view/image_document.h"
#include "view/view_state.h"

namespace veltrix {

class CaptureDevice;
class FaceDetector;
class Clock;
class Hotkeys;
class Keyboard;
class Prompter;
class Screen;
class Sound;
class UrlOpener;

struct PlatformServices {
  Prompter& prompter;
  Screen& screen;
  Clock& clock;
  Keyboard& keyboard;
  Sound& sound;
  UrlOpener& urlOpener;
  Hotkeys& hotkeys;
  CaptureDevice& captureDevice;
  FaceDetector& faceDetector;
};

// Where the program keeps its files, taken from the process environment in main().
struct ProgramEnvironment {
  QString programFolder;  // VELTRIX_HOME, else the executable's folder; none when installed
  QString configHome;     // XDG_CONFIG_HOME, else ~/.config
  QString markerPath;     // the single-instance marker

  // Makes the folder VELTRIX_HOME names when it is missing, or says on standard error why not.
  static ProgramEnvironment fromProcess();
};

class Program {
 public:
  Program(PlatformServices services, ProgramEnvironment environment);

  PlatformServices services;
  ProgramEnvironment environment;
  InstanceLock instanceLock;

  ShellState shell;
  OutputSpec output;
  ImageDocument document;
  ViewState view;
  CaptureFrame frame;
  BatchTask batch;
  QuickShotSettings quickShot;
  CameraState camera;
  SpreadsheetNaming naming;
  EditTools edit;
};

// Holds the single-instance lock for this process. When another copy runs, tells the user
// and returns false: the program then ends with exit code 0.
bool singleInstanceGuard(Program& program);

// Finds and creates the settings folder and loads the settings read at start-up.
void loadStartupSettings(Program& program);

}  // namespace veltrix
