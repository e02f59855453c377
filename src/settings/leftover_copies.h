// A file replaced whole is first linked into its folder as its own name plus "." and six letters
// or digits, then renamed over the old one; a program killed between the two leaves that copy
// behind. The file itself is whole either way, so such a copy stands for nothing.
#pragma once

#include <QString>
#include <QStringList>

namespace veltrix {

// Removes the copies of the named files left in the folder, and nothing else: only regular files
// whose name is one of `names` followed by "." and exactly six letters or digits. Returns how
// many were removed.
int removeLeftoverCopies(const QString& folder, const QStringList& names);

}  // namespace veltrix
