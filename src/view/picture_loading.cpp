#include "view/picture_loading.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>
#include <variant>

#include <QDir>
#include <QFile>

#include "codec/image_codec.h"
#include "platform/file_names.h"
#include "platform/utf8.h"
#include "settings/number_rules.h"
#include "view/scaler.h"
#include "view/texts.h"
#include "view/view_render.h"

namespace veltrix {

namespace {

// Rows a take of work: small enough that the two threads share the last rows evenly.
constexpr int kRowsATake = 32;

// Scales a new picture to the fitted view while it is decoded: a helper thread narrows the
// rows the decoder has finished while the decoder works on, and the rows told at the end are
// shared between the helper and the loading thread. The fitted zoom is known from the size
// alone, before the first row.
class FitWhileDecoding final : public PictureRowSink {
 public:
  explicit FitWhileDecoding(QSize canvas) : canvas_(canvas) {}
  ~FitWhileDecoding() override {
    if (!helper_.joinable()) return;
    {
      const std::lock_guard lock(mutex_);
      waiting_.clear();
      closed_ = true;
    }
    wake_.notify_all();
    helper_.join();
  }
  FitWhileDecoding(const FitWhileDecoding&) = delete;
  FitWhileDecoding& operator=(const FitWhileDecoding&) = delete;

  void rowsDone(const QImage& picture, int first, int count) override {
    if (!started_) start(picture);
    if (!scaler_) return;
    {
      const std::lock_guard lock(mutex_);
      waiting_.push_back({first, first + count});
    }
    wake_.notify_one();
  }

  // The picture scaled to the fitted size once every row is told, or a null image when the
  // scaler has to see the whole picture at once and showNewPicture is to scale it.
  QImage finish() {
    if (!scaler_) return {};
    {
      const std::lock_guard lock(mutex_);
      closed_ = true;
    }
    wake_.notify_all();
    narrowWaitingRows();
    helper_.join();
    picture_ = QImage();
    return scaler_->finish();
  }

 private:
  void start(const QImage& picture) {
    started_ = true;
    const QSize target = scaledSize(picture.size(), fitZoom(picture.size(), canvas_));
    if (!ShrinkingScaler::applies(picture.size(), target)) return;
    scaler_.emplace(picture.size(), target);
    // A copy shares the pixels: it keeps them for the helper even if the decode fails and
    // drops its picture, and costs no copy of them since the decoder writes its rows through
    // pointers of its own.
    picture_ = picture;
    helper_ = std::thread([this] { narrowWaitingRows(); });
  }

  // Takes rows told and not yet narrowed until the decode is over and none are left.
  void narrowWaitingRows() {
    const uchar* rows = picture_.constBits();
    const qsizetype bytesPerLine = picture_.bytesPerLine();
    for (;;) {
      int begin = 0;
      int end = 0;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return !waiting_.empty() || closed_; });
        if (waiting_.empty()) return;
        std::pair<int, int>& band = waiting_.front();
        begin = band.first;
        end = std::min(band.second, begin + kRowsATake);
        band.first = end;
        if (band.first == band.second) waiting_.pop_front();
      }
      scaler_->narrowRows(rows, bytesPerLine, begin, end);
    }
  }

  const QSize canvas_;
  bool started_ = false;
  QImage picture_;
  std::optional<ShrinkingScaler> scaler_;
  std::thread helper_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::pair<int, int>> waiting_;  // row ranges [first, end) told, not yet taken
  bool closed_ = false;                      // no more rows will be told
};

}  // namespace

bool hasPictureExtension(const QString& path) {
  const QString extension = path.sliced(path.lastIndexOf(u'.') + 1).toLower();
  for (const char* accepted : {"bmp", "jpg", "jpeg", "gif", "png"})
    if (extension == QLatin1String(accepted)) return true;
  return false;
}

DropDecision decideDrop(const QStringList& paths) {
  if (paths.size() > 1) {
    return {{},
            QString::fromUtf8(view_texts::kSeveralFilesBefore) + QString::number(paths.size()) +
                QString::fromUtf8(view_texts::kSeveralFilesAfter)};
  }
  const QString path = paths.value(0);
  if (!hasPictureExtension(path)) return {{}, QString::fromUtf8(view_texts::kWrongType)};
  return {path, {}};
}

LoadedPicture decodeForView(const QString& path, QSize canvas) {
  FitWhileDecoding fit(canvas);
  // A batch's picture may be named on the disk in GBK and here as it was read.
  QFile file;
  LoadedPicture loaded{openForReading(file, path) ? decodePictureFileOrFailure(file, &fit)
                                                  : DecodeFailure{DecodeError::Unreadable},
                       {},
                       canvas};
  if (std::holds_alternative<QImage>(loaded.decoded)) loaded.fitted = fit.finish();
  return loaded;
}

std::optional<DecodeFailure> showLoadedPicture(ImageDocument& document, ViewState& view,
                                               LoadedPicture loaded, const FrameLines& frame) {
  if (const DecodeFailure* failure = std::get_if<DecodeFailure>(&loaded.decoded)) return *failure;
  document.picture = std::get<QImage>(std::move(loaded.decoded));
  document.present = true;
  view.scrollFractionX = 0.5;
  view.scrollFractionY = 0.5;
  // A canvas that changed size since needs the picture scaled anew.
  if (loaded.fittedFor != view.backCanvas.size()) loaded.fitted = QImage();
  showNewPicture(view, document, frame, std::move(loaded.fitted));
  return std::nullopt;
}

std::optional<DecodeFailure> loadPictureFile(ImageDocument& document, ViewState& view,
                                             const QString& path, const FrameLines& frame) {
  return showLoadedPicture(document, view, decodeForView(path, view.backCanvas.size()), frame);
}

QString loadFailureMessage(const DecodeFailure& failure, const QString& path) {
  using namespace view_texts;
  const QString file = QDir::toNativeSeparators(path);
  switch (failure.error) {
    case DecodeError::NotPicture:
      return u8(kNotPictureBefore) + file + u8(kNotPictureAfter);
    case DecodeError::Unreadable:
      return u8(kUnreadableBefore) + file + u8(kUnreadableAfter);
    case DecodeError::Damaged:
      return u8(kDamagedBefore) + file + u8(kDamagedAfter);
    case DecodeError::Incomplete:
      return u8(kIncompleteBefore) + file + u8(kIncompleteAfter);
    case DecodeError::OutOfMemory:
      return u8(kNoMemoryBefore) + file + u8(kNoMemoryAfter);
    case DecodeError::TooLarge:
      break;
  }
  return u8(kTooLargeBefore) + file + u8(kTooLargeSize) + QString::number(failure.width) +
         QChar(u'×') + QString::number(failure.height) + u8(kTooLargeSide) +
         QString::number(kMaxSide) + u8(kTooLargePixels) +
         formatDouble(static_cast<double>(kMaxPixels) / 1e8) + u8(kTooLargeAfter);
}

}  // namespace veltrix
