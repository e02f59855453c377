// What the kill cases share: the folders of a killed program's home, the mark that its work has
// begun, the leftovers a kill may leave beside the files, and the check that the program still
// starts and reads its settings after the kill.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace veltrix {
class Program;
}

namespace veltrix::kill {

// home/program, where the program under test lives, and its settings folder and file.
QString programFolderOf(const QString& home);
QString settingsFolderOf(const QString& home);
QString settingsFileOf(const QString& home);

// Makes home/out and the settings folder, and keeps home/out as the batch's save folder in the
// settings file.
void prepareHome(const QString& home);

// Tells the script that the work to be killed has begun.
void markReady(const QString& home);

// The folder's entries that no pattern matches in full: what a kill left beside the files. They
// are removed once counted, so that each kill is charged with its own.
int takeStrays(const QString& folder, const QStringList& patterns);

// Builds the real program and its main window offscreen on the home, starts it, and hands the
// program to `settingsRead`, which says whether it read the settings the file holds. The start
// is to take away what a kill left in the settings folder: the number it took away, or nothing
// when the settings were not read or something was left.
std::optional<int> startsAndReads(const QString& home,
                                  const std::function<bool(const Program&)>& settingsRead);
// The same, with the settings prepareHome kept.
std::optional<int> startsAndReads(const QString& home);

// A failed check's reason on stderr; the exit code of a failed check.
int damaged(const QString& reason);

}  // namespace veltrix::kill
