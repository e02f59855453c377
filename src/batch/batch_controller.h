// Batch crop as the user drives it: the navigation keys moving through the task, the picture and
// title of each entry, recording crops, and switching batch mode on (resuming) and off. It works
// on BatchTask and the task file and asks the main window, through BatchHost, for the rest.
#pragma once

#include <QString>

#include "batch/batch_task.h"
#include "output/output_spec.h"
#include "platform/file_write.h"
#include "platform/hotkeys.h"

class QWidget;

namespace veltrix {

class Prompter;

class BatchHost {
 public:
  virtual ~BatchHost() = default;
  // Loads a picture file as the current picture; false when it could not be shown.
  virtual bool loadTaskPicture(const QString& path) = 0;
  // The picture the next key is likely to show, to be decoded while the user works on this one.
  virtual void prefetchPicture(const QString& path) = 0;
  // Clears the view and lets the shown picture go, so that nothing is cropped under a name that
  // is not its own.
  virtual void releasePicture() = 0;
  virtual void setTitle(const QString& title) = 0;
  // The main window's own caption, as when no batch runs.
  virtual void showProgramCaption() = 0;
  virtual void setIndicator(bool on) = 0;
  virtual void focusView() = 0;
  virtual void openSettingsWindow() = 0;
  // A batch takes over from the camera: its window closes and quick-shoot mode ends.
  virtual void closeCamera() = 0;
  // The spreadsheet naming window, opened for batch crop (or worded for it when it is open),
  // and closed when another rule is chosen.
  virtual void showNamingWindow() = 0;
  virtual void closeNamingWindow() = 0;
  // A resumed batch takes back the output size its settings section kept, with the JPG target
  // when it saves JPG.
  virtual void restoreKeptSize(bool jpg) = 0;
  // The JPG size target as its box shows it.
  virtual QString jpgLimitText() const = 0;
  // The texts of the five size boxes: pixel width and height, millimetre width and height, DPI.
  virtual QStringList sizeTexts() const = 0;
  // A resumed batch starts with no editing tool on, so that the letter keys step through it.
  virtual void switchToolsOff() = 0;
};

enum class TaskStep { Previous, Current, Next };

class BatchController {
 public:
  BatchController(BatchTask& batch, const OutputSpec& output, Hotkeys& hotkeys, Prompter& prompter,
                  BatchHost& host, QWidget* owner, const QString& settingsFolder);

  void registerNavigationKeys();
  void releaseNavigationKeys();
  // A navigation key: D and F go to the next picture, A and S to the previous one; a held key
  // moves once.
  void navigate(NavigationKey key, bool repeated);
  void showTaskPicture(TaskStep step);
  // A new task of these names over whatever the task file held, and its first picture shown.
  // A task file that cannot be written starts no task, and the user is told which file it is.
  void startTask(const QStringList& names);
  // The task the task file holds goes on at its cursor; false when the file holds none.
  bool takeUpStoredTask();
  // After the crop of a batch picture was written: its record becomes "已截图".
  void markTaskPictureDone();
  // A press on the status bar's batch indicator.
  void indicatorPressed(bool rightButton);
  void resumeBatch();
  void stopBatch();
  // Switches batch mode off for the camera, keeping the task's place.
  void pauseForCamera();

 private:
  QString taskPath() const;
  QString settingsFile() const;
  void buildTask();
  // The task file could not be written: the user is told which file it is, and when the disk is
  // full, which folder needs room.
  void tellTaskNotWritten(WriteOutcome written);
  // Both folders of a resumed batch exist; otherwise the user is told which is missing and the
  // settings window opens.
  bool checkFolders();
  void switchOff();

  BatchTask& batch_;
  const OutputSpec& output_;
  Hotkeys& hotkeys_;
  Prompter& prompter_;
  BatchHost& host_;
  QWidget* owner_;
  const QString& settingsFolder_;
};

// " 当前文件：" + name + "  " + state.
QString taskTitle(const QString& name, const QString& state);

}  // namespace veltrix
