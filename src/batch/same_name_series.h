// Pictures of one batch that the same-name rule would crop to one file (王五.jpg and 王五.png):
// each keeps a crop of its own, numbered in the suffixed series in task order.
#pragma once

#include "batch/task_file.h"

namespace veltrix {

// The number of the entry's crop in the suffixed series (suffixedName): 0 for the plain name,
// which the first picture of the task to be named so takes; k for the k-th name after it. The
// names are compared as the folder does, letter case aside. Cropping the entry again gives the
// same number, so its own crop is replaced.
int sameNameNumber(const TaskFile& task, qint64 entry);

}  // namespace veltrix
