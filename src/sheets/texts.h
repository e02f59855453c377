// The spreadsheet naming window's texts, in the crop wording (batch crop) and the camera wording
// (quick-shoot), and the messages of the saves that take their names from it.
#pragma once

namespace veltrix::sheet_texts {

struct Wording {
  const char* caption;
  const char* autoNextRow;
  const char* clickHint;
  const char* nameAfterClickBefore;
  const char* nameAfterClickAfter;
  const char* nameAfterMoveAfter;
  const char* nameAfterRewordAfter;
  const char* nameMissing;  // a save refused for want of a clicked name
};

inline constexpr Wording kCropWording{
    "导入EXCEL，按所选单元格文字命名即将截取的图片",
    "截图后自动跳到下一行",
    "请点击有文字的单元格，以其文字命名即将截取的图片。",
    "以“",
    "”命名即将截取的图片，如截图多幅加序号区分。",
    "”命名即将截取的图片，如截多幅加序号区分。",
    "”命名即将截取的图片，如截图多幅加序号区分。",
    "请先点击有文字的单元格作为图片命名，再截图。",
};

inline constexpr Wording kCameraWording{
    "导入EXCEL，按所选单元格文字命名即将拍照的图片",
    "拍照后自动跳到下一行",
    "请点击有文字的单元格，以其文字命名即将拍照的图片。",
    "以“",
    "”命名即将拍照的图片，如拍照多幅加序号区分。",
    "”命名即将拍照的图片，如拍多幅加序号区分。",
    "”命名即将拍照的图片，如截图多幅加序号区分。",
    "请点击有文字的单元格以其文字命名即将拍照的图片。",
};

inline constexpr const char* kImportButton = "导入EXCEL文件";
inline constexpr const char* kImportFirst = "请先导入EXCEL文件，再点击有文字的单元格。";
inline constexpr const char* kReading = "数据正读入……";
inline constexpr const char* kEmptyCell = "选中单元格内容为空，请点击有文字的单元格。";
inline constexpr const char* kImportTitle = "导入Excel名单";
// The label as the user knows it; the patterns in the last brackets are what the dialog lists.
inline constexpr const char* kImportFilter = "Excel文件(*.xls、*.xlsx) (*.xls *.xlsx)";
inline constexpr const char* kUnreadableTitle = "提示：";
inline constexpr const char* kUnreadable = "无法读取该EXCEL文件，文件可能已损坏或不是EXCEL文件。";
inline constexpr const char* kEncrypted = "该EXCEL文件已加密，请先在EXCEL中取消密码后再导入。";
inline constexpr const char* kTooOld =
    "该EXCEL文件为Excel 4.0或更早版本的格式，请先在EXCEL中另存为.xls或.xlsx文件后再导入。";
inline constexpr const char* kLastRowTitle = "提示：";
inline constexpr const char* kLastRow = "EXCEL光标已处于最后一行";

// The checks before a save under the spreadsheet rule.
inline constexpr const char* kWorkbookNeeded =
    "当前批量命名方式需导入EXCEL文件，是否沿用此命名方式？";
inline constexpr const char* kNoticeTitle = "提示";
inline constexpr const char* kImportWorkbookFirst = "请先导入EXCEL文件。";

}  // namespace veltrix::sheet_texts
