// Texts of saving: the refusals and failures of a save, and the name popup shown after every
// picture.
#pragma once

namespace veltrix::save_texts {

inline constexpr const char* kNameCropTitle = "请为刚才截图命名（不需填写扩展名）";
inline constexpr const char* kNamePhotoTitle = "请为刚才拍照命名（不需填写扩展名）";
inline constexpr const char* kConfirm = "确定";
inline constexpr const char* kEmptyName = "新照片命名不能为空。";
inline constexpr const char* kEmptyFrame =
    "采集框的宽度或高度为0，不能保存图片，请重新设置输出尺寸。";
inline constexpr const char* kUnknownSaveType =
    "本软件只能保存bmp、jpg、jpeg、gif、png五类图片文件，请更改文件扩展名。";
inline constexpr const char* kUnknownBatchFormat =
    "批量截图的保存格式不是bmp、jpg、gif、png之一，请在批量截图设置中重新选择保存格式。";
inline constexpr const char* kFormatItems[] = {" *.JPG", " *.BMP", " *.GIF", " *.PNG"};
inline constexpr const char* kNoPictureMade = "截图未能转换成图片文件，没有保存任何文件。";
inline constexpr const char* kCannotWriteBefore = "图片文件“";
inline constexpr const char* kCannotWriteAfter = "”无法写入，请检查保存位置是否存在且可写。";
// A full disk is said as such, with the folder whose disk needs room.
inline constexpr const char* kDiskFullBefore = "磁盘空间已满，图片文件“";
inline constexpr const char* kDiskFullMiddle = "”无法写入。请清理“";
inline constexpr const char* kDiskFullAfter = "”所在磁盘的空间，或换一个保存目录。";

}  // namespace veltrix::save_texts
