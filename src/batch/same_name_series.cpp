#include "batch/same_name_series.h"

#include <QHash>
#include <QSet>

#include "save/output_naming.h"

namespace veltrix {

int sameNameNumber(const TaskFile& task, qint64 entry) {
  QSet<QString> taken;
  // For each name, the first number not yet tried, so that many pictures of one name are
  // numbered in one pass.
  QHash<QString, int> nextNumber;
  int number = 0;
  for (qint64 i = 1; i <= entry; ++i) {
    const QString crop = sameNameCrop(task.name(i));
    int& next = nextNumber[crop.toCaseFolded()];
    // A picture named like another's numbered crop (王五—1.png) takes the next number after it.
    while (taken.contains(suffixedName(crop, next).toCaseFolded())) ++next;
    taken.insert(suffixedName(crop, next).toCaseFolded());
    number = next++;
  }
  return number;
}

}  // namespace veltrix
