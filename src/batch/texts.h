// The texts of batch cropping: the task file's records, the main window's titles and the
// messages of navigation and resuming.
#pragma once

namespace veltrix::batch_texts {

inline constexpr const char* kTaskFileName = "批截任务.ini";
inline constexpr const char* kCursorKey = "批截位置";
inline constexpr const char* kCountKey = "最大位置";
inline constexpr const char* kRecordKey = "操作记录";
inline constexpr const char* kNameKey = "图片名";
inline constexpr const char* kNotCropped = "未截图";
inline constexpr const char* kCropped = "已截图";
inline constexpr const char* kLost = "已丢失";

// The task file could not be written, so no task was started; its path stands between the parts.
inline constexpr const char* kTaskNotWrittenBefore = "批截任务文件“";
inline constexpr const char* kTaskNotWrittenAfter =
    "”无法写入，请检查该文件所在目录是否存在且可写。";
// The same for a full disk, with the folder whose disk needs room.
inline constexpr const char* kTaskDiskFullBefore = "磁盘空间已满，批截任务文件“";
inline constexpr const char* kTaskDiskFullMiddle = "”无法写入。请清理“";
inline constexpr const char* kTaskDiskFullAfter = "”所在磁盘的空间后再继续。";

inline constexpr const char* kTitleBefore = " 当前文件：";
inline constexpr const char* kTitleSeparator = "  ";
inline constexpr const char* kAtFirst = "当前已是最初图片";
inline constexpr const char* kAtLast = "当前已是末位图片";

inline constexpr const char* kAskTitle = "询问：";
inline constexpr const char* kFolderNoticeTitle = "提示：";
inline constexpr const char* kResumeQuestion = "是否沿用之前的批量截图设置，并继续上次操作？";
inline constexpr const char* kFolderNotSet = "批量截图保存目录尚未设置，请先设置。";
inline constexpr const char* kFolderMissing = "批量截图保存目录不存在，请重新设置。";
// The folder to crop is named, for it is often on a USB stick that is not plugged in.
inline constexpr const char* kSourceNotSet = "批量截图待截图目录尚未设置，请先设置。";
inline constexpr const char* kSourceMissingBefore = "批量截图待截图目录“";
inline constexpr const char* kSourceMissingAfter =
    "”不存在，请检查该目录所在的磁盘或U盘是否已连接，或重新设置。";
// A navigation key would build a new task over one that holds earlier work.
inline constexpr const char* kGiveUpTask =
    "批截任务文件中保存着上次批量截图的记录，是否放弃这些记录，重新建立批量截图任务？";
// What the title names a picture pasted from the clipboard by.
inline constexpr const char* kPastedPicture = "剪贴板图片";

// The batch settings window.
inline constexpr const char* kSettingsTitle = "批量截图设置";
inline constexpr const char* kSourceLabel = "等待截图目录";
inline constexpr const char* kBrowseSource = "浏览待截图目录";
inline constexpr const char* kSaveLabel = "图片保存目录";
inline constexpr const char* kBrowseSave = "新建、浏览目录";
inline constexpr const char* kFormatLabel = "图片保存格式";
inline constexpr const char* kRuleLabel = "图片命名方式";
inline constexpr const char* kCropSoundBox = "截图时发出裁切声";
inline constexpr const char* kKeepSettingsBox = "保存上述设置供下次使用";
inline constexpr const char* kAutoFrameBox = "自动框选头像";
inline constexpr const char* kConfirm = "确定";
inline constexpr const char* kBrowseSourceTitle =
    "选择待截图文件夹，以便对文件夹中的图片进行批量截图。";
inline constexpr const char* kBrowseSaveTitle = "请选择或者新建一个文件夹";
inline constexpr const char* kRefusalTitle = "提醒：";
inline constexpr const char* kSourceMissing = "待截图目录不存在，无法对其图片进行批量截图。";
inline constexpr const char* kSaveMissing = "请设置正确的图片保存目录。";
inline constexpr const char* kCustomEmpty = "自定义命名不能为空。";
inline constexpr const char* kSameFolder =
    "待截图文件夹不可再用于保存截图，请换一个文件夹保存截图。";
inline constexpr const char* kNoPictures = "待截图文件夹中没有可截图的图片。";

}  // namespace veltrix::batch_texts
