// The naming rules for saved pictures, and how each mode offers them: the settings file stores a
// rule by its index in the mode's list, and the mode's labels are shown as they are, spacing
// included.
#pragma once

#include <array>

namespace veltrix {

enum class NamingRule { SameName, TimeStamp, Sequence, CustomPrefix, AskEveryTime, Spreadsheet };

inline constexpr std::array<NamingRule, 6> kBatchRules{
    NamingRule::SameName,     NamingRule::TimeStamp,    NamingRule::Sequence,
    NamingRule::CustomPrefix, NamingRule::AskEveryTime, NamingRule::Spreadsheet,
};

// Photos have no source file to be named after.
inline constexpr std::array<NamingRule, 5> kQuickRules{
    NamingRule::TimeStamp,    NamingRule::Sequence,    NamingRule::CustomPrefix,
    NamingRule::AskEveryTime, NamingRule::Spreadsheet,
};

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
