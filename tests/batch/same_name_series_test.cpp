// Pictures of one task that the same-name rule would crop to one file get a crop each: the first
// the plain name, each further one the next name of the suffixed series, in task order.
#include "batch/same_name_series.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "test_files.h"

namespace veltrix {
namespace {

using test::u;

TEST(SameNameSeries, PicturesNamedAlikeAreNumberedInTaskOrder) {
  const struct {
    const char* name;
    int number;
  } entries[] = {
      {"王五.jpg", 0},
      {"张三.jpg", 0},
      {"王五.png", 1},
      {"王五.JPEG", 2},
      // Its plain name is the third picture's crop: it takes 王五—1—1.
      {"王五—1.png", 1},
      {"a.b.jpg", 0},
      {"a.c.jpg", 0},
      {"A.B.gif", 1},
      {"x:y.png", 0},
      {"x_y.bmp", 1},
      {"lost.jpg", 0},
      {"王五.bmp", 3},
      {"王五—1.jpg", 2},
      {"王五—1—1.jpg", 1},
      {"Lost.PNG", 1},
  };
  QTemporaryDir dir;
  std::optional<TaskFile> task = TaskFile::load(dir.filePath(u("批截任务.ini")));
  ASSERT_TRUE(task);
  QStringList names;
  for (const auto& entry : entries) names << u(entry.name);
  task->create(names);
  for (qsizetype i = 0; i < names.size(); ++i)
    EXPECT_EQ(sameNameNumber(*task, i + 1), entries[i].number) << entries[i].name;
}

}  // namespace
}  // namespace veltrix
