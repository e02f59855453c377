// Names of saved pictures: the naming rules turned into paths, and the helpers that keep a new
// picture from overwriting an earlier one or leaving the save folder.
#pragma once

#include <QDateTime>
#include <QString>

#include "settings/naming_rules.h"

namespace veltrix {

// "2022-1-10 11-45-23": no leading zeros, hours 0-23.
QString timeStampName(const QDateTime& now);

// Whether an entry (file or folder) of that name is in its folder, letter case aside.
// A missing folder holds nothing.
bool nameTaken(const QString& path);

// n as sequence names show it: four digits up to 9999 ("0001"), then the plain number.
QString sequenceNumber(int n);

// folder/prefix + sequenceNumber(n) + ext for the smallest n from 1 not taken.
QString nextFreeNumberedPath(const QString& folder, const QString& prefix, const QString& ext);

// name + "—" + k (an em dash), or the name itself for k = 0: the k-th name of the suffixed series.
QString suffixedName(const QString& name, int k);

// folder/name + ext, or when taken folder/name + "—" + k + ext for the smallest free k from 1.
QString nextFreeSuffixedPath(const QString& folder, const QString& name, const QString& ext);

// The file name without its last extension, so that "张三.2024.jpg" and "张三.2025.jpg" stay
// two pictures; a name without "." (or whose only "." leads it) is its own base.
QString sameNameBase(const QString& sourceFileName);

// What the same-name rule names a source picture's crop, without extension: its base made safe.
QString sameNameCrop(const QString& sourceFileName);

// The name with path separators, the characters file names cannot hold and control characters
// turned into "_", so that a typed or imported name always stays inside the save folder; leading
// dots become "_" too, so that no picture turns into a hidden file.
QString safeFileName(const QString& name);

// Where a picture waits while the user is asked for its name.
QString temporaryPicturePath(const QString& settingsFolder, const QString& ext);

struct NamingInputs {
  QString folder;
  QString ext;  // lower case with the dot, e.g. ".jpg"
  QString customPrefix;
  QString sourceName;  // file name of the source picture, without its folder
  QString spreadsheetName;
  QString settingsFolder;
  QDateTime now;
  // Under the same-name rule: k > 0 names the crop by the k-th name of the suffixed series, for a
  // picture whose name the crop of another picture of the series already bears.
  int sameNameNumber = 0;
};

// The inputs of a series of pictures: its save folder, its stored format (any case) and custom
// prefix, where a picture waits for its name, and the moment of the picture.
NamingInputs seriesNamingInputs(const QString& folder, const QString& format, const QString& prefix,
                                const QString& settingsFolder, const QDateTime& now);

// The path a new picture is saved to under rule; empty for a value that is no rule.
QString makeOutputName(NamingRule rule, const NamingInputs& in);

}  // namespace veltrix
