// The size panel's own texts.
#pragma once

#include <array>

namespace veltrix::output_texts {

inline constexpr const char* kPixelPage = "像素法";
inline constexpr const char* kDpiPage = "DPI法";
inline constexpr const char* kSizeType = "尺寸类型";
inline constexpr const char* kPixelWidth = "宽度(像素)";
inline constexpr const char* kPixelHeight = "高度(像素)";
inline constexpr const char* kJpgSize = "JPG体积(KB)";
inline constexpr const char* kAtMost = "≤";
inline constexpr const char* kFrameColour = "采集框颜色";
inline constexpr const char* kCrop = "截图";
inline constexpr const char* kDpi = "DPI分辨率";
inline constexpr const char* kMmWidth = "宽度(毫米)";
inline constexpr const char* kMmHeight = "高度(毫米)";

inline constexpr std::array<const char*, 9> kSizePresetNames = {
    "默认",  "自定义",    "学籍/身份证", "小1寸黑白", "小1寸彩色",
    "1寸照", "小2寸普通", "小2寸护照",   "2寸照",
};

}  // namespace veltrix::output_texts
