// The texts of picture loading.
#pragma once

namespace veltrix::view_texts {

inline constexpr const char* kOpenTitle = "打开图片文件";
inline constexpr const char* kOpenFilter = "图片文件 (*.bmp *.jpg *.jpeg *.gif *.png)";
inline constexpr const char* kSeveralFilesBefore = "您同时拖放了";
inline constexpr const char* kSeveralFilesAfter = "个文件，请每次只拖放一个文件。";
inline constexpr const char* kWrongType =
    "本软件只接收bmp、jpg、jpeg、gif、png五类图片文件，您拖放的文件不属此范围。";

// Why an opened file gave no picture; the file's path stands between the two parts.
inline constexpr const char* kNotPictureBefore = "文件“";
inline constexpr const char* kNotPictureAfter =
    "”不是本软件能打开的图片，本软件只能打开bmp、jpg、jpeg、gif、png五类图片文件。";
inline constexpr const char* kUnreadableBefore = "无法读取文件“";
inline constexpr const char* kUnreadableAfter = "”，请检查文件是否存在并且可以读取。";
inline constexpr const char* kDamagedBefore = "图片文件“";
inline constexpr const char* kDamagedAfter = "”已损坏，无法打开。";
inline constexpr const char* kIncompleteBefore = "图片文件“";
inline constexpr const char* kIncompleteAfter =
    "”不完整，图片数据中途就断了，可能是复制或下载没有完成，无法打开。";
inline constexpr const char* kTooLargeBefore = "图片文件“";
// Then the picture's width × height, the largest side and the most pixels in 亿 (10⁸).
inline constexpr const char* kTooLargeSize = "”太大（";
inline constexpr const char* kTooLargeSide = "像素），本软件只能打开宽和高都不超过";
inline constexpr const char* kTooLargePixels = "像素、总共不超过";
inline constexpr const char* kTooLargeAfter = "亿像素的图片。";

// The memory left cannot hold a picture inside the limits; the file's path stands between.
inline constexpr const char* kNoMemoryBefore = "内存不足，无法打开图片文件“";
inline constexpr const char* kNoMemoryAfter = "”，请关闭其他程序后再试。";

inline constexpr const char* kRotateFailed = "旋转失败！";
inline constexpr const char* kRotateFailedTitle = "提示：";

}  // namespace veltrix::view_texts
