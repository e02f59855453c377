// The pictures of a batch's source folder, in the order the file system lists them.
#pragma once

#include <QString>
#include <QStringList>

namespace veltrix {

// The names, without the folder, of the regular files (and links to them) in the folder whose
// extension is a picture's (as a dropped file's is judged), hidden ones included. Folders, pipes
// and other special files are skipped without being opened, whatever their names.
QStringList scanSourceFolder(const QString& folder);

}  // namespace veltrix
