#include "app/hints.h"

#include <QHash>

#include "platform/utf8.h"

namespace veltrix {
namespace {

const char* const kStartHint = "请打开或拖拽一图片文件或通过拍照来采集头像";
const char* const kNavigationKeys = "A键或S键：上一图片   D键或F键：下一图片";
const char* const kEndTextInput = "右击显示区可结束文字输入并关闭文字工具";
const char* const kSaveCrop = "保存采集框内图片";

const QHash<QString, QString>& fixedHints() {
  static const QHash<QString, QString> hints = [] {
    QHash<QString, QString> table;
    const auto add = [&table](std::initializer_list<const char*> names, const char* hint) {
      for (const char* name : names) table.insert(u8(name), u8(hint));
    };
    add({"像素宽标签", "像素宽编辑框", "毫米宽标签", "毫米宽编辑框"}, "设置输出图片宽度");
    add({"像素高标签", "像素高编辑框", "毫米高度标签", "毫米高编辑框"}, "设置输出图片高度");
    add({"DPI标签", "DPI编辑框"}, "设置输出图片DPI分辨率");
    add({"尺寸类型标签", "尺寸类型组合框"}, "选择常用尺寸或自定义尺寸");
    add({"像素法JPG体积标签", "像素法JPG体积编辑框", "像素法小于编辑框", "DPI法JPG体积标签",
         "DPI法JPG体积编辑框", "DPI法小于编辑框"},
        "预设JPG图片输出体积");
    add({"像素法颜色选择标签", "像素法颜色选择器", "DPI法颜色选择标签", "DPI法颜色选择器"},
        "采集框颜色不会影响输出图片颜色");
    add({"像素法截图上移按钮", "DPI法截图上移按钮"}, "上移采集框");
    add({"像素法截图下移按钮", "DPI法截图下移按钮"}, "下移采集框");
    add({"像素法截图左移按钮", "DPI法截图左移按钮"}, "左移采集框");
    add({"像素法截图右移按钮", "DPI法截图右移按钮"}, "右移采集框");
    add({"横向滚动条"}, "左右移动图片");
    add({"纵向滚动条"}, "上下移动图片");
    add({"文字输入编辑框"}, kEndTextInput);
    return table;
  }();
  return hints;
}

}  // namespace

QString generalHint(bool keysRegistered, bool picturePresent) {
  if (keysRegistered) return u8(kNavigationKeys);
  return picturePresent ? QString() : u8(kStartHint);
}

QString canvasHint(const CanvasHintState& state) {
  if (!state.picturePresent) return u8(kStartHint);
  if (state.textEntryVisible) return u8(kEndTextInput);
  if (state.keysRegistered) return u8(kNavigationKeys) + u8("        滚动鼠标滚轮可缩放图片");
  if (state.penActive) return state.strokePending ? QString() : u8("右击显示区可关闭画笔工具");
  if (state.textActive) return u8(kEndTextInput);
  if (state.eyedropperActive) return u8("右击显示区可关闭吸管工具");
  return u8("滚动鼠标滚轮可缩放图片");
}

QString cropButtonHint(bool keysRegistered) {
  return keysRegistered ? u8(kNavigationKeys) + u8("           ") + u8(kSaveCrop) : u8(kSaveCrop);
}

bool overBatchIndicator(int x, int outerWidth, int widthCorrection) {
  const int right = outerWidth - widthCorrection;
  return x >= right - 160 && x <= right - 45;
}

QString batchIndicatorHint() {
  return u8("勾选、右击此选择框可弹出批量截图设置窗口。");
}

QString controlHint(const QString& objectName) {
  return fixedHints().value(objectName);
}

bool hintKeepsPointerAction(const QString& objectName) {
  return objectName == u8("可视画板") || objectName == u8("文字输入编辑框");
}

}  // namespace veltrix
