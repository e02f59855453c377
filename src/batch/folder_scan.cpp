#include "batch/folder_scan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QCollator>
#include <QFile>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <vector>

#include "platform/file_names.h"
#include "view/picture_loading.h"

namespace veltrix {
namespace {

// A regular file, or a link to one; a folder, pipe or device is looked at, never opened.
bool isRegularFile(DIR* folder, const dirent& entry) {
  if (entry.d_type == DT_REG) return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
  struct stat info {};
  return fstatat(dirfd(folder), entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

// The order a file manager of a Chinese desktop shows (Qt's collation for zh_CN, whatever the
// desktop's language): runs of digits compared as numbers ("2" before "10"), Chinese names by
// their pinyin and before Latin ones, letter case ignored; names that collate alike (a.jpg, A.jpg)
// by their characters, so that the order the disk keeps never shows.
void sortNaturally(QStringList& names) {
  QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
  collator.setNumericMode(true);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::vector<QCollatorSortKey> keys;
  keys.reserve(names.size());
  for (const QString& name : names) keys.push_back(collator.sortKey(name));
  std::vector<qsizetype> order(names.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
    const int collated = keys[a].compare(keys[b]);
    return collated != 0 ? collated < 0 : names[a] < names[b];
  });
  QStringList sorted;
  sorted.reserve(names.size());
  for (const qsizetype i : order) sorted.append(names[i]);
  names = std::move(sorted);
}

}  // namespace

QStringList scanSourceFolder(const QString& folder) {
  QStringList names;
  if (folder.isEmpty()) return names;
  DIR* entries = opendir(QFile::encodeName(folder).constData());
  if (!entries) return names;
  while (const dirent* entry = readdir(entries)) {
    if (!isRegularFile(entries, *entry)) continue;
    const QString name = decodedFileName(entry->d_name);
    if (hasPictureExtension(name)) names.append(name);
  }
  closedir(entries);
  sortNaturally(names);
  return names;
}

}  // namespace veltrix
