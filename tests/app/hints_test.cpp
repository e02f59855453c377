#include "app/hints.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

QString u(const char* text) {
  return QString::fromUtf8(text);
}

TEST(Hints, GeneralHintFollowsThePictureAndTheNavigationKeys) {
  EXPECT_EQ(generalHint(false, false), u("请打开或拖拽一图片文件或通过拍照来采集头像"));
  EXPECT_EQ(generalHint(false, true), QString());
  EXPECT_EQ(generalHint(true, true), u("A键或S键：上一图片   D键或F键：下一图片"));
  EXPECT_EQ(generalHint(true, false), u("A键或S键：上一图片   D键或F键：下一图片"));
}

TEST(Hints, CanvasHintTakesTheFirstMatchingLine) {
  CanvasHintState state;
  EXPECT_EQ(canvasHint(state), u("请打开或拖拽一图片文件或通过拍照来采集头像"));
  state.picturePresent = true;
  EXPECT_EQ(canvasHint(state), u("滚动鼠标滚轮可缩放图片"));
  state.eyedropperActive = true;
  EXPECT_EQ(canvasHint(state), u("右击显示区可关闭吸管工具"));
  state.textActive = true;
  EXPECT_EQ(canvasHint(state), u("右击显示区可结束文字输入并关闭文字工具"));
  state.penActive = true;
  EXPECT_EQ(canvasHint(state), u("右击显示区可关闭画笔工具"));
  state.strokePending = true;
  EXPECT_EQ(canvasHint(state), QString());
  state.keysRegistered = true;
  EXPECT_EQ(canvasHint(state),
            u("A键或S键：上一图片   D键或F键：下一图片        滚动鼠标滚轮可缩放图片"));
  state.textEntryVisible = true;
  EXPECT_EQ(canvasHint(state), u("右击显示区可结束文字输入并关闭文字工具"));
}

TEST(Hints, CropButtonsNameTheNavigationKeysWhenTheyAreOn) {
  EXPECT_EQ(cropButtonHint(false), u("保存采集框内图片"));
  EXPECT_EQ(cropButtonHint(true),
            u("A键或S键：上一图片   D键或F键：下一图片           保存采集框内图片"));
}

TEST(Hints, BatchIndicatorRangeIsInclusive) {
  // Outer width 586 with correction -8: the right end is 594.
  EXPECT_FALSE(overBatchIndicator(433, 586, -8));
  EXPECT_TRUE(overBatchIndicator(434, 586, -8));
  EXPECT_TRUE(overBatchIndicator(549, 586, -8));
  EXPECT_FALSE(overBatchIndicator(550, 586, -8));
  EXPECT_EQ(batchIndicatorHint(), u("勾选、右击此选择框可弹出批量截图设置窗口。"));
}

TEST(Hints, FixedHintsOfTheSizePanelAndScrollBars) {
  const struct {
    const char* control;
    const char* hint;
  } cases[] = {
      {"毫米宽编辑框", "设置输出图片宽度"},
      {"毫米高度标签", "设置输出图片高度"},
      {"DPI编辑框", "设置输出图片DPI分辨率"},
      {"尺寸类型组合框", "选择常用尺寸或自定义尺寸"},
      {"DPI法小于编辑框", "预设JPG图片输出体积"},
      {"像素法颜色选择器", "采集框颜色不会影响输出图片颜色"},
      {"DPI法截图下移按钮", "下移采集框"},
      {"横向滚动条", "左右移动图片"},
      {"纵向滚动条", "上下移动图片"},
      {"文字输入编辑框", "右击显示区可结束文字输入并关闭文字工具"},
      {"工具条1", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(controlHint(u(c.control)), u(c.hint)) << c.control;
  EXPECT_TRUE(hintKeepsPointerAction(u("可视画板")));
  EXPECT_TRUE(hintKeepsPointerAction(u("文字输入编辑框")));
  EXPECT_FALSE(hintKeepsPointerAction(u("横向滚动条")));
}

}  // namespace
}  // namespace veltrix
