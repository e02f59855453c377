// A picture in the batch's folder cut short, as an interrupted copy leaves it: moving to it tells
// the user the file is incomplete, and the crop button writes nothing for it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QTest>

#include "batch_fixture.h"
#include "codec/image_encoder.h"

namespace veltrix {
namespace {

using test::u;

class BatchCutPictureTest : public test::BatchTest {};

TEST_F(BatchCutPictureTest, AJpegCutAtHalfIsToldIncompleteAndNeverCropped) {
  // The third picture of the listing becomes a photo whose second half never arrived.
  ASSERT_TRUE(QFile::remove(source() + u("/p2.png")));
  const QString cut = source() + u("/p2.jpg");
  const QByteArray whole = encodeImage(test::noise(200, 120), EncodedFormat::Jpeg, 96, 90);
  ASSERT_TRUE(test::writeBytes(cut, whole.left(whole.size() / 2)));
  startBatch();
  ASSERT_EQ(task().name(3), u("p2.jpg"));

  press(NavigationKey::D);
  ASSERT_TRUE(program->document.present);
  fixture.prompter.records.clear();
  press(NavigationKey::D);
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_EQ(fixture.prompter.messages()[0].text,
            u("图片文件“") + QDir::toNativeSeparators(cut) +
                u("”不完整，图片数据中途就断了，可能是复制或下载没有完成，无法打开。"));
  EXPECT_EQ(title(), titleFor(u("p2.jpg"), "未截图"));
  EXPECT_FALSE(program->document.present);

  fixture.prompter.records.clear();
  QTest::mouseClick(control<QAbstractButton>("像素法截图按钮"), Qt::LeftButton);
  ASSERT_EQ(fixture.prompter.messages().size(), 1u);
  EXPECT_EQ(fixture.prompter.messages()[0].text, u("请打开一张图片或拍照一幅图象再进行操作。"));
  EXPECT_TRUE(QDir(saveFolder()).isEmpty());
  EXPECT_EQ(task().record(3), u("未截图"));
}

}  // namespace
}  // namespace veltrix
