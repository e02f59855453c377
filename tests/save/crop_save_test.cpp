// A crop that meets a full disk: the user is told the disk is full and which folder to clear,
// not sent looking for a permission problem, and nothing is left behind.
#include "save/crop_save.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "full_disk.h"
#include "test_files.h"

namespace veltrix {
namespace {

using test::u;

QString diskFullText(const QString& path, const QString& folder) {
  return u("磁盘空间已满，图片文件“") + QDir::toNativeSeparators(path) + u("”无法写入。请清理“") +
         QDir::toNativeSeparators(folder) + u("”所在磁盘的空间，或换一个保存目录。");
}

TEST(CropOnAFullDisk, SaysTheDiskIsFullAndNamesTheFolder) {
  QImage canvas(60, 40, QImage::Format_RGB32);
  canvas.fill(qRgb(90, 140, 200));
  const CropSource source{canvas, QRect(5, 5, 40, 30), 500, 96};
  NamingInputs inputs;
  inputs.ext = u(".png");
  for (const test::DiskFullFault& fault : test::diskFullFaults()) {
    for (const bool byRule : {false, true}) {
      SCOPED_TRACE(std::string(fault.name) + (byRule ? ", batch" : ", single save"));
      QTemporaryDir dir;
      const QString folder = dir.filePath(u("照片"));
      inputs.folder = folder;
      CropSaved saved;
      const bool made = fault.around(folder, [&] {
        saved = byRule ? saveCropByRule(source, NamingRule::Sequence, inputs)
                       : saveCropAs(source, folder + u("/王五.png"));
        EXPECT_FALSE(QFileInfo::exists(saved.path));
      });
      if (!made) continue;
      EXPECT_FALSE(saved.saved());
      const std::optional<CropNotice> notice = cropSaveNotice(saved, byRule);
      ASSERT_TRUE(notice);
      EXPECT_EQ(notice->text, diskFullText(saved.path, folder));
      EXPECT_EQ(notice->icon, PromptIcon::Information);
    }
  }
}

}  // namespace
}  // namespace veltrix
