// The main window's side of spreadsheet naming: opening the naming window for batch crop or
// quick-shoot, closing it, and the checks before and the step after a picture named from it.
#pragma once

#include <QPointer>
#include <functional>
#include <optional>

#include "sheets/excel_naming_window.h"

namespace veltrix {

class Program;

class SheetsRoom {
 public:
  explicit SheetsRoom(Program& program);
  ~SheetsRoom();

  // Opens the window for a mode, or, when it is open, words it for that mode.
  void show(NamingMode mode);
  void close();
  // The open window comes in front of the main window with the focus, so that the user's first
  // click lands on it.
  void bringToFront();

  // The name of the next picture of a mode saved under the spreadsheet rule. Nothing when the
  // picture must not be saved now: the user was told why, or declined the rule, in which case
  // `chooseAnotherRule` opens the mode's settings.
  std::optional<QString> nameForSave(NamingMode mode, QWidget* owner,
                                     const std::function<void()>& chooseAnotherRule);
  // After a picture was written under that name.
  void advance();

  // The series under way: batch crop before quick-shoot.
  NamingMode activeMode() const;

 private:
  Program& program_;
  QPointer<ExcelNamingWindow> window_;
};

}  // namespace veltrix
