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

inline constexpr const char* kTitleBefore = " 当前文件：";
inline constexpr const char* kTitleSeparator = "  ";
inline constexpr const char* kAtFirst = "当前已是最初图片";
inline constexpr const char* kAtLast = "当前已是末位图片";

}  // namespace veltrix::batch_texts
