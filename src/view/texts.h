// The texts of picture loading.
#pragma once

namespace veltrix::view_texts {

inline constexpr const char* kOpenTitle = "打开图片文件";
inline constexpr const char* kOpenFilter = "图片文件 (*.bmp *.jpg *.jpeg *.gif *.png)";
inline constexpr const char* kSeveralFilesBefore = "您同时拖放了";
inline constexpr const char* kSeveralFilesAfter = "个文件，请每次只拖放一个文件。";
inline constexpr const char* kWrongType =
    "本软件只接收bmp、jpg、jpeg、gif、png五类图片文件，您拖放的文件不属此范围。";

}  // namespace veltrix::view_texts
