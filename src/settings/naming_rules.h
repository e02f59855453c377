// The naming rules offered for saved pictures, stored in the settings file by their index.
// The texts are shown to the user as they are, spacing included.
#pragma once

#include <array>

namespace veltrix {

inline constexpr std::array<const char*, 6> kBatchNamingRules{
    "与原图片文件名同名",
    "根据截图时刻命名  如：2022-1-10 11-45-23",
    "根据截图先后用序号命名  如： 0001   0002 ",
    "自定义：如XXX 输出名称为XXX0001  XXX0002",
    "每次截图后都弹出命名框",
    "导入EXCEL，按选中单元格内文字命名",
};

inline constexpr std::array<const char*, 5> kQuickNamingRules{
    "根据拍照时间命名  如：2022-1-10 11-45-23", "根据拍照先后用序号命名  如： 0001   0002",
    "自定义：如XXX 输出名称为XXX0001  XXX0002", "每次拍照后都弹出命名框",
    "导入EXCEL，按选中单元格内文字命名",
};

}  // namespace veltrix
