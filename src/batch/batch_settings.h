// What confirming the batch settings checks and stores, apart from the window that asks: the
// folders, the custom prefix, and the settings section kept for the next batch.
#pragma once

#include <QString>
#include <QStringList>

#include "batch/batch_task.h"

namespace veltrix {

// The boxes of the settings window as the user left them.
struct BatchSettingsForm {
  QString sourceFolder;
  QString saveFolder;
  QString customText;  // what the naming box's edit field holds
};

enum class FormRefusal { None, SourceMissing, SaveMissing, CustomEmpty, SameFolder };

// The checks in the order the user meets them. The two folders are one folder however they are
// spelt (a link, "//", a trailing "/"), so that crops never replace the photos they came from.
FormRefusal checkBatchSettings(const BatchSettingsForm& form, NamingRule rule);

// Whether two paths name the same existing folder: the same device and inode.
bool sameFolder(const QString& a, const QString& b);

// The keys of the batch's settings section, in one pass: the batch's settings and the size
// boxes' texts (pixel width, pixel height, millimetre width, millimetre height, DPI) with the JPG
// target's text for JPG output, then the head framing; or every key empty when the settings are
// not kept.
void writeBatchSettings(const QString& settingsFile, const BatchTask& batch,
                        const QStringList& sizeTexts, const QString& jpgText);

}  // namespace veltrix
