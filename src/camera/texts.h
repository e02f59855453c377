// The camera window's texts.
#pragma once

namespace veltrix::camera_texts {

inline constexpr const char* kTitle = "摄像预览";
inline constexpr const char* kGroup = "摄像";
inline constexpr const char* kNoCamera = "    无法连接摄像头哦";
inline constexpr const char* kNoCameraHints =
    "\n  1、您的摄像头没有安装驱动程序？\n\n  2、您的摄像头没有连接到电脑？\n\n"
    "  3、您打开了别的摄像头软件？请关闭qq视频等软件。\n\n  4、你还没有摄像头？";
inline constexpr const char* kDeviceButton = "视频设备";
inline constexpr const char* kFormatButton = "视频格式";
inline constexpr const char* kQuickSettingsButton = "速拍设置";
inline constexpr const char* kTakePhoto = "拍 照";
inline constexpr const char* kRetry = "重 试";
inline constexpr const char* kQuickShotBox = "使用批量速拍模式";
inline constexpr const char* kUp = "↑";
inline constexpr const char* kLeft = "←";
inline constexpr const char* kRight = "→";
inline constexpr const char* kDown = "↓";
// Over the live picture while the camera sends nothing, and the photo refused then.
inline constexpr const char* kNoFrames = "摄像头没有画面，请检查摄像头连接。";
inline constexpr const char* kFrameOutside =
    "拍图框超出了摄像画面，请把摄像预览窗口拉大一些，或者把图片尺寸改小一些。";

inline constexpr const char* kFolderNoticeTitle = "提示：";
inline constexpr const char* kFolderNotSet = "批量速拍图片保存目录尚未设置，请先设置。";
inline constexpr const char* kFolderMissing = "批量速拍图片保存目录不存在，请重新设置。";

inline constexpr const char* kAskTitle = "询问：";
inline constexpr const char* kReuseQuestion = "是否沿用之前的速拍设置？";

// The quick-shoot settings window.
inline constexpr const char* kSettingsTitle = "批量速拍设置";
inline constexpr const char* kSaveLabel = "图片保存目录";
inline constexpr const char* kBrowse = "新建、浏览目录";
inline constexpr const char* kBrowseTitle = "请选择或者新建一个文件夹";
inline constexpr const char* kFormatLabel = "图片保存格式";
inline constexpr const char* kRuleLabel = "图片命名方式";
inline constexpr const char* kShutterBox = "拍照时发出快门声";
inline constexpr const char* kKeepSettingsBox = "保存上述设置供下次使用";
inline constexpr const char* kConfirm = "确定";
inline constexpr const char* kRefusalTitle = "提醒：";
inline constexpr const char* kSaveMissing = "请设置正确的图片保存目录。";
inline constexpr const char* kCustomEmpty = "自定义命名不能为空。";

}  // namespace veltrix::camera_texts
