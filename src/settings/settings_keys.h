// Names inside the settings file "set.dll": its sections, its keys and the texts it stores.
#pragma once

namespace veltrix {

inline constexpr const char* kSettingsFileName = "set.dll";

inline constexpr const char* kBatchSection = "批量截图";
inline constexpr const char* kQuickShotSection = "批量速拍";
inline constexpr const char* kGuidesSection = "头像参考线";

inline constexpr const char* kNamingRuleKey = "命名方式";
inline constexpr const char* kCustomNameKey = "自定义命名";
inline constexpr const char* kSaveFormatKey = "保存格式";
inline constexpr const char* kSaveFolderKey = "保存目录";
inline constexpr const char* kSourceFolderKey = "待截图目录";
inline constexpr const char* kCropSoundKey = "发裁切声";
inline constexpr const char* kKeepSettingsKey = "是否保存设置";
inline constexpr const char* kPixelWidthKey = "像素宽";
inline constexpr const char* kPixelHeightKey = "像素高";
inline constexpr const char* kMillimetreWidthKey = "毫米宽";
inline constexpr const char* kMillimetreHeightKey = "毫米高";
inline constexpr const char* kDpiKey = "DPI";
inline constexpr const char* kJpgSizeKey = "JPG体积";
inline constexpr const char* kShutterSoundKey = "发快门声";
inline constexpr const char* kAutoFrameKey = "自动框选头像";
inline constexpr const char* kGuidesShownKey = "显示";

// A flag is on only when stored as exactly this text; anything else, "true" included, is off.
inline constexpr const char* kFlagTrue = "真";

inline constexpr const char* kDefaultSaveFormat = ".JPG";

}  // namespace veltrix
