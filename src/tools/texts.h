// The tool palette's own texts.
#pragma once

namespace veltrix::tools_texts {

inline constexpr const char* kToolsGroup = "编辑工具";
inline constexpr const char* kPen = "画笔";
inline constexpr const char* kText = "文字";
inline constexpr const char* kEyedropper = "吸管";
inline constexpr const char* kPenWidthGroup = "画笔粗细";
inline constexpr const char* kColourGroup = "选择颜色";

inline constexpr const char* kPenHint = "画笔工具";
inline constexpr const char* kTextHint = "文字工具，右击文字工具按钮可设置字体。";
inline constexpr const char* kEyedropperHint = "吸取颜色";
inline constexpr const char* kPenWidthHint = "设置画笔粗细";
inline constexpr const char* kColourPickerHint = "设置画笔及文字颜色";
inline constexpr const char* kSwatchHint = "选取画笔文字颜色";

// The face the text tool starts with and offers in the font dialog.
inline constexpr const char* kStartFace = "宋体";
inline constexpr int kStartPoints = 9;

}  // namespace veltrix::tools_texts
