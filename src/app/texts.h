// The main window's own texts.
#pragma once

namespace veltrix::app_texts {

inline constexpr const char* kCaption = "Veltrix V3.0";
inline constexpr const char* kAlreadyRunning = "您已经打开了本软件，不能重复打开。";
inline constexpr const char* kStartHint = "请打开或拖拽一图片文件或通过拍照来采集头像";
inline constexpr const char* kScreenTooSmall = "当前电脑屏幕像素分辩率不够高，不能满足操作要求。";
inline constexpr const char* kOpenPictureFirst = "请打开一张图片或拍照一幅图象再进行操作。";
inline constexpr const char* kSaveTitle = "采集框内图象另存为：";
inline constexpr const char* kSaveFilter =
    "图片文件 *.jpg *.bmp *.gif *.png (*.jpg *.bmp *.gif *.png)";
inline constexpr const char* kPageNotOpened = "无法自动打开网页，请在浏览器中打开：\r\n";
inline constexpr const char* kAboutTitle = "关于本软件：";
inline constexpr const char* kAboutText = "当前版本：V3.0";
inline constexpr const char* kBatchIndicator = "使用批量截图模式";

inline constexpr const char* kFileMenu = "文件";
inline constexpr const char* kHelpMenu = "帮助";
inline constexpr const char* kMenuOpen = "打开";
inline constexpr const char* kMenuEdit = "编辑";
inline constexpr const char* kMenuShoot = "拍摄";
inline constexpr const char* kMenuAbout = "关于";
inline constexpr const char* kMenuUserHelp = "使用帮助";

struct ToolbarSlot {
  const char* caption;  // nullptr: a separator
  const char* tooltip;
};

inline constexpr ToolbarSlot kToolbarSlots[] = {
    {nullptr, nullptr},       {"打开", "打开一幅图片"}, {"保存", "保存采集框内图片"},
    {nullptr, nullptr},       {"放大", "放大显示"},     {"缩小", "缩小显示"},
    {"顺转", "顺时针转90度"}, {"逆转", "逆时针转90度"}, {"编辑", "编辑图象"},
    {nullptr, nullptr},       {"拍摄", "启动摄像头"},   {"帮助", "使用帮助"},
    {"主页", "软件主页"},
};

// The command line's own texts, printed to a terminal.
inline constexpr const char* kCommandLineHelp =
    "用法：veltrix [图片文件]\n"
    "制作证件照、学籍照、一寸与二寸照片和护照照片。给出图片文件时，启动后即打开它。\n"
    "\n"
    "  -h, --help     显示本帮助并退出\n"
    "  --version      显示版本号并退出\n";
inline constexpr const char* kUnknownOption = "veltrix：不认识的选项 ";
inline constexpr const char* kOnePictureOnly = "veltrix：一次只能打开一个图片文件";
inline constexpr const char* kSeeHelp = "请用 veltrix --help 查看用法。\n";
// The folder VELTRIX_HOME names could not be made; then that folder, then where the settings
// are kept instead.
inline constexpr const char* kHomeNotMadeBefore =
    "veltrix：无法创建环境变量VELTRIX_HOME指定的文件夹“";
inline constexpr const char* kHomeNotMadeMiddle = "”，设置改存放在“";
inline constexpr const char* kHomeNotMadeAfter = "”。\n";

}  // namespace veltrix::app_texts
