// The save command's work, with no window: the pixels inside the capture frame encoded by the
// type the file asks for and written, or the reason nothing was written. The caller decides what
// to show; cropSaveNotice says what the user is told.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

#include "platform/prompter.h"
#include "save/output_naming.h"

namespace veltrix {

// What a crop is taken from: the view canvas as the user sees it and the frame's interior on it,
// with the output's JPG size target and DPI.
struct CropSource {
  const QImage& viewCanvas;
  QRect interior;
  double jpgLimitKb;
  int dpi;
};

enum class CropFailure {
  None,
  EmptyFrame,   // the frame has no width or no height
  UnknownType,  // not BMP, GIF, PNG or JPEG
  NoPicture,    // the encoder gave no bytes
  NotWritten,   // the file could not be written
  DiskFull,     // the file could not be written for want of room on its disk
};

struct CropSaved {
  CropFailure failure = CropFailure::None;
  QString path;  // the file written, or the one that could not be
  bool targetMet = true;
  qint64 smallestBytes = 0;  // the smallest JPG reachable, when the target was missed

  bool saved() const { return failure == CropFailure::None; }
};

inline bool frameHasArea(const QRect& interior) {
  return interior.width() > 0 && interior.height() > 0;
}

// To the path the user chose; the picture type is the path's extension.
CropSaved saveCropAs(const CropSource& source, const QString& path);

// Under a series' naming rule into its folder, as the batch and quick-shoot saves do; the type
// is the inputs' extension.
CropSaved saveCropByRule(const CropSource& source, NamingRule rule, const NamingInputs& inputs);

struct CropNotice {
  QString text;
  PromptIcon icon = PromptIcon::None;
};

// What the user is told after a save: why nothing was written, or that the JPG size target was
// missed; nothing when the file is written as asked. A batch names its stored format as the
// fault where the single save names the extension the user typed.
std::optional<CropNotice> cropSaveNotice(const CropSaved& result, bool batch);

// Shows a notice, when there is one.
void tellCropNotice(Prompter& prompter, QWidget* owner, const std::optional<CropNotice>& notice);

}  // namespace veltrix
