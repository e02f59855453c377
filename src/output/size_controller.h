// What the size panel's entries do to the output size: presets, typed pixels, millimetres
// and DPI, and the up/down arrows. A size the view cannot hold grows the main window; one the
// screen cannot hold is refused and the entry undone.
#pragma once

#include <QObject>
#include <QPair>
#include <QSize>

#include "output/output_size.h"
#include "output/output_spec.h"

class QLineEdit;

namespace veltrix {

class Keyboard;
class SizePanel;

// The main window around the panel, as the size entries need it.
class SizeHost {
 public:
  virtual ~SizeHost() = default;
  virtual SizeRoom room() const = 0;
  virtual QSize outerSize() const = 0;
  // Gives the main window the outer size and lays it out for the new output size, which
  // re-centres the frame; also when the window already has that size.
  virtual void resizeOuter(QSize outer) = 0;
  virtual void centreOnScreen() = 0;
  // The frame canvas follows the output size and the frame is drawn again.
  virtual void showFrame() = 0;
  // Puts the frame interior of the output size in the middle of the view canvas.
  virtual void centreFrame() = 0;
  virtual void refuseForScreen() = 0;
  // Box texts to keep for a resumed batch, when the batch keeps its settings.
  virtual void persistSizes(const QList<QPair<const char*, QString>>& keys) = 0;
  virtual void fitCameraToOutput(SizeChange change) = 0;
  virtual void focusView() = 0;
  // The JPG size target's canonical text, kept for a batch or quick-shoot series that saves JPG
  // and keeps its settings.
  virtual void persistJpgLimit(const QString& text) = 0;
  // Text typed on the picture and not yet committed becomes part of it before the frame
  // changes under it.
  virtual void flushTextInput() = 0;
};

class SizeController : public QObject {
  Q_OBJECT
 public:
  SizeController(OutputSpec& output, SizePanel& panel, SizeHost& host, Keyboard& keyboard);

  bool applyOutputSize(int width, int height, int dpi, float mmWidth, float mmHeight);
  void selectSizePreset(int index);
  void commitPixelWidth();
  void commitPixelHeight();
  void commitMmWidth();
  void commitMmHeight();
  void commitDpi();
  // Takes the JPG size target from the value box of a page and shows it on both pages.
  void commitJpgLimit(int page);
  // The up/down arrows of a box: the stepped value is written into the box, then committed.
  void step(QLineEdit* box, int step);
  // Runs the commit that belongs to a box.
  void commit(QLineEdit* box);
  // The texts of the pixel width and height, millimetre width and height and DPI boxes.
  QStringList sizeTexts() const;
  // The JPG size target as its box shows it; a kept one shown on both pages and taken.
  QString jpgLimitText() const;
  void showJpgLimit(const QString& text);
  // Selects "自定义": any size entered by hand is a custom size.
  void selectCustom();
  // The frame's edges were dragged: the boxes of the dimensions that changed show the new
  // output size in pixels and in millimetres at the current DPI.
  void showFrameSize(bool width, bool height);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Axis;
  void commitPixels(const Axis& axis);
  void commitMillimetres(const Axis& axis);

  OutputSpec& output_;
  SizePanel& panel_;
  SizeHost& host_;
  Keyboard& keyboard_;
};

}  // namespace veltrix
