// The head framing's own texts.
#pragma once

namespace veltrix::framing_texts {

inline constexpr const char* kToolsMenu = "工具";
inline constexpr const char* kShowGuides = "显示头像参考线";
inline constexpr const char* kGuidesSection = "头像参考线";
inline constexpr const char* kGuidesShownKey = "显示";

}  // namespace veltrix::framing_texts
