// What the program is asked on its command line: open a picture at start-up, print its help or
// its version, or refuse what it does not understand. Read before any window exists, so that
// --help and --version need no display.
#pragma once

#include <QString>
#include <QStringList>

namespace veltrix {

struct CommandLine {
  enum class Action { Run, Help, Version, Refuse };
  Action action = Action::Run;
  QString picture;  // Run: the file to open once the window is up, or empty
  QString refusal;  // Refuse: what was wrong, for standard error
};

// The arguments after the program's own name.
CommandLine parseCommandLine(const QStringList& arguments);

QString commandLineHelp();
QString versionText();

}  // namespace veltrix
