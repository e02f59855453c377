// Where the settings folder lives: beside the program when its folder is writable, else in
// the user's configuration folder.
#pragma once

#include <QString>

namespace veltrix {

// programFolder + "/头像采集设置" when programFolder is an existing writable folder, otherwise
// configHome + "/veltrix/头像采集设置".
QString settingsFolderFor(const QString& programFolder, const QString& configHome);

// Creates `folder` unless a folder of that name exists. Directly inside programFolder only
// that one level is made; elsewhere the missing parents are made too. Returns whether the
// folder exists afterwards.
bool ensureSettingsFolder(const QString& programFolder, const QString& folder);

}  // namespace veltrix
