// Texts of saving: the name popup shown after every picture, and the failure to write a file.
#pragma once

namespace veltrix::save_texts {

inline constexpr const char* kNameCropTitle = "请为刚才截图命名（不需填写扩展名）";
inline constexpr const char* kNamePhotoTitle = "请为刚才拍照命名（不需填写扩展名）";
inline constexpr const char* kConfirm = "确定";
inline constexpr const char* kEmptyName = "新照片命名不能为空。";
inline constexpr const char* kCannotWriteBefore = "图片文件“";
inline constexpr const char* kCannotWriteAfter = "”无法写入，请检查保存位置是否存在且可写。";

}  // namespace veltrix::save_texts
