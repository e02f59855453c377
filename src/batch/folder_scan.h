// The pictures of a batch's source folder, in the order a file manager shows them.
#pragma once

#include <QString>
#include <QStringList>

namespace veltrix {

// The names, without the folder, of the regular files (and links to them) in the folder whose
// extension is a picture's (as a dropped file's is judged), hidden ones included, in natural
// order: digits as numbers ("2" before "10"), letter case aside, Chinese by pinyin. A name whose
// bytes are not UTF-8 is read as GB18030 (decodedFileName). Folders, pipes and other special
// files are skipped without being opened, whatever their names.
QStringList scanSourceFolder(const QString& folder);

}  // namespace veltrix
