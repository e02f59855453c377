// The head framing's own texts.
#pragma once

namespace veltrix::framing_texts {

inline constexpr const char* kToolsMenu = "工具";
inline constexpr const char* kShowGuides = "显示头像参考线";
inline constexpr const char* kFrameHead = "自动框选头像";
inline constexpr const char* kNoFace = "未检测到人脸，请手动调整采集框。";
inline constexpr const char* kNoPlace = "检测到的头像无法按标准放进图片之内，请手动调整采集框。";
inline constexpr const char* kUnavailable =
    "自动框选头像不可用：没有找到人脸检测数据，请安装 opencv-data 后再试。";

}  // namespace veltrix::framing_texts
