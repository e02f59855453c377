// What the main window does for a batch, without the window: pictures shown on the program's
// canvases and read ahead as the batch room reads them, and no hotkeys to register.
#pragma once

#include "batch/batch_controller.h"
#include "platform/hotkeys.h"
#include "view/frame_lines.h"
#include "view/image_document.h"
#include "view/picture_prefetch.h"
#include "view/view_render.h"
#include "view/view_state.h"

namespace veltrix::bench {

class ViewHost final : public BatchHost {
 public:
  ViewHost() { resizeCanvases(view, 411, 279); }
  bool loadTaskPicture(const QString& path) override {
    std::optional<LoadedPicture> loaded = prefetch.take(path);
    if (!loaded) loaded = decodeForView(path, view.backCanvas.size());
    return !showLoadedPicture(document, view, std::move(*loaded), kFrame);
  }
  void prefetchPicture(const QString& path) override {
    prefetch.prefetch(path, view.backCanvas.size());
  }
  void releasePicture() override {}
  void setTitle(const QString&) override {}
  void showProgramCaption() override {}
  void setIndicator(bool) override {}
  void focusView() override {}
  void openSettingsWindow() override {}
  void closeCamera() override {}
  void showNamingWindow() override {}
  void closeNamingWindow() override {}
  void restoreKeptSize(bool) override {}
  QString jpgLimitText() const override { return {}; }
  QStringList sizeTexts() const override { return {}; }
  void switchToolsOff() override {}

  const FrameLines kFrame{QRect(125, 34, 160, 210), QColor(255, 255, 0)};
  ImageDocument document;
  ViewState view;
  PicturePrefetch prefetch;
};

class NoHotkeys final : public Hotkeys {
 public:
  void registerKeys(Handler) override {}
  void releaseKeys() override {}
  bool registered() const override { return false; }
};

}  // namespace veltrix::bench
