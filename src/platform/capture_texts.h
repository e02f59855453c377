// The capture device's own texts: its dialogs and the name of the test camera.
#pragma once

namespace veltrix::capture_texts {

inline constexpr const char* kFormatTitle = "视频格式";
inline constexpr const char* kFormatList = "格式列表";
inline constexpr const char* kSourceTitle = "视频设备";
inline constexpr const char* kSourceDevice = "设备：";
inline constexpr const char* kSourceDeviceList = "设备列表";
inline constexpr const char* kOk = "确定";
inline constexpr const char* kCancel = "取消";
inline constexpr const char* kFramesPerSecond = "帧/秒";
inline constexpr const char* kTestCamera = "测试摄像头 (videotestsrc)";

}  // namespace veltrix::capture_texts
