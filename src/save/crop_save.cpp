#include "save/crop_save.h"

#include <QFile>
#include <QFileInfo>

#include "platform/utf8.h"
#include "save/frame_grab.h"
#include "save/jpeg_size_target.h"
#include "save/picture_encoding.h"
#include "save/texts.h"

namespace veltrix {
namespace {

using namespace save_texts;

// The extension as a path names it: after its last ".", lower case.
QString extensionOf(const QString& path) {
  const qsizetype dot = path.lastIndexOf(u'.');
  return dot < 0 ? path.toLower() : path.sliced(dot).toLower();
}

CropSaved encodeAndWrite(const CropSource& source, const QString& path, const QString& ext) {
  if (!frameHasArea(source.interior)) return {CropFailure::EmptyFrame, path};
  if (!formatForExtension(ext)) return {CropFailure::UnknownType, path};
  const std::optional<EncodeResult> encoded = encodePicture(
      grabFrame(source.viewCanvas, source.interior), ext, source.jpgLimitKb, source.dpi);
  if (!encoded) return {CropFailure::NoPicture, path};
  switch (writePictureFile(path, encoded->bytes)) {
    case WriteOutcome::Written:
      break;
    case WriteOutcome::DiskFull:
      return {CropFailure::DiskFull, path};
    case WriteOutcome::Failed:
      return {CropFailure::NotWritten, path};
  }
  return {CropFailure::None, path, encoded->targetMet, encoded->smallestBytes};
}

}  // namespace

CropSaved saveCropAs(const CropSource& source, const QString& path) {
  return encodeAndWrite(source, path, extensionOf(path));
}

CropSaved saveCropByRule(const CropSource& source, NamingRule rule, const NamingInputs& inputs) {
  // The name is only made for a crop that can be saved: the numbered rules look at the folder.
  if (!frameHasArea(source.interior)) return {CropFailure::EmptyFrame, {}};
  if (!formatForExtension(inputs.ext)) return {CropFailure::UnknownType, {}};
  const QString path = makeOutputName(rule, inputs);
  // Where a picture waits for its name is the program's own: a link found there is taken away
  // rather than written through, so that no file elsewhere is replaced by the picture.
  if (rule == NamingRule::AskEveryTime && QFileInfo(path).isSymLink()) QFile::remove(path);
  return encodeAndWrite(source, path, inputs.ext);
}

std::optional<CropNotice> cropSaveNotice(const CropSaved& result, bool batch) {
  switch (result.failure) {
    case CropFailure::EmptyFrame:
      return CropNotice{u8(kEmptyFrame), PromptIcon::Information};
    case CropFailure::UnknownType:
      return CropNotice{u8(batch ? kUnknownBatchFormat : kUnknownSaveType),
                        PromptIcon::Information};
    case CropFailure::NoPicture:
      return CropNotice{u8(kNoPictureMade), PromptIcon::Information};
    case CropFailure::NotWritten:
      return CropNotice{cannotWriteMessage(result.path, WriteOutcome::Failed),
                        PromptIcon::Information};
    case CropFailure::DiskFull:
      return CropNotice{cannotWriteMessage(result.path, WriteOutcome::DiskFull),
                        PromptIcon::Information};
    case CropFailure::None:
      break;
  }
  if (!result.targetMet) return CropNotice{sizeTargetMessage(result.smallestBytes)};
  return std::nullopt;
}

void tellCropNotice(Prompter& prompter, QWidget* owner, const std::optional<CropNotice>& notice) {
  if (notice) prompter.notify(owner, notice->text, notice->icon);
}

}  // namespace veltrix
