#include "output/size_controller.h"

#include <QEvent>
#include <QLineEdit>

#include "output/numeric_key_filter.h"
#include "output/size_panel.h"
#include "platform/keyboard.h"
#include "settings/number_rules.h"
#include "settings/settings_keys.h"
#include "widgets/choice_combo.h"

namespace veltrix {
namespace {

constexpr int kDefaultDpi = 160;
constexpr double kDefaultJpgLimitKb = 500;

void show(QLineEdit* box, const QString& text) {
  NumericKeyFilter::show(box, text);
}

int dpiFrom(int value) {
  return value <= 1 ? kDefaultDpi : value;
}

}  // namespace

// Width and height entries are twins; an axis names the boxes, fields and rules of one.
struct SizeController::Axis {
  bool horizontal;
  QLineEdit* pixelBox;
  QLineEdit* mmBox;
  int OutputSpec::*pixels;
  float OutputSpec::*mm;
  const char* pixelKey;
  const char* mmKey;
  SizeChange change;

  bool fits(int value, const SizeRoom& room) const {
    return horizontal ? widthFits(value, room) : heightFits(value, room);
  }
  bool onScreen(int value, const SizeRoom& room) const {
    return horizontal ? widthOnScreen(value, room) : heightOnScreen(value, room);
  }
  QSize grown(QSize outer, int value, const SizeRoom& room) const {
    if (horizontal)
      outer.setWidth(static_cast<int>(requiredOuterWidth(value, room)));
    else
      outer.setHeight(static_cast<int>(requiredOuterHeight(value, room)));
    return outer;
  }
};

SizeController::SizeController(OutputSpec& output, SizePanel& panel, SizeHost& host,
                               Keyboard& keyboard)
    : QObject(&panel), output_(output), panel_(panel), host_(host), keyboard_(keyboard) {
  // Typed numbers go through the filter; the size boxes commit after every character. The JPG
  // values take their own commits.
  for (QLineEdit* box : panel.numericBoxes()) {
    NumericKeyFilter* filter = NumericKeyFilter::attach(box);
    connect(filter, &NumericKeyFilter::pressed, this, [this] { ensureNumLockOn(keyboard_); });
    connect(filter, &NumericKeyFilter::committed, this, [this, box] { commit(box); });
  }
  for (int page : {SizePanel::kPixelPage, SizePanel::kDpiPage}) {
    panel.page(page).jpgFrame->installEventFilter(this);
    panel.page(page).jpgSign->installEventFilter(this);
  }
  ChoiceCombo* combo = panel.sizeTypeCombo();
  connect(combo, &ChoiceCombo::aboutToChoose, this,
          [this, combo] { output_.previousSizeType = combo->currentIndex(); });
  connect(combo, &QComboBox::activated, this, &SizeController::selectSizePreset);
  connect(&panel, &SizePanel::stepped, this, &SizeController::step);
}

void SizeController::selectCustom() {
  panel_.sizeTypeCombo()->setCurrentIndex(kCustomSizeIndex);
}

bool SizeController::applyOutputSize(int width, int height, int dpi, float mmWidth,
                                     float mmHeight) {
  const SizeRoom room = host_.room();
  const bool fits = widthFits(width, room) && heightFits(height, room);
  if (!fits && !(widthOnScreen(width, room) && heightOnScreen(height, room))) {
    host_.refuseForScreen();
    return false;
  }
  output_.pixelWidth = width;
  output_.pixelHeight = height;
  output_.dpi = dpi;
  if (fits) host_.centreFrame();

  show(panel_.pixelWidthBox(), QString::number(width));
  show(panel_.pixelHeightBox(), QString::number(height));
  show(panel_.dpiBox(), QString::number(dpi));
  if (mmWidth > static_cast<float>(kNumberTolerance))
    show(panel_.mmWidthBox(), formatFloat(mmWidth));
  if (mmHeight > static_cast<float>(kNumberTolerance))
    show(panel_.mmHeightBox(), formatFloat(mmHeight));
  host_.persistSizes({{kPixelWidthKey, panel_.pixelWidthBox()->text()},
                      {kPixelHeightKey, panel_.pixelHeightBox()->text()},
                      {kMillimetreWidthKey, panel_.mmWidthBox()->text()},
                      {kMillimetreHeightKey, panel_.mmHeightBox()->text()},
                      {kDpiKey, panel_.dpiBox()->text()}});

  if (fits) {
    host_.showFrame();
  } else {
    // Both requirements passed the screen check, so they are window sizes.
    const QSize outer =
        host_.outerSize().expandedTo(QSize(static_cast<int>(requiredOuterWidth(width, room)),
                                           static_cast<int>(requiredOuterHeight(height, room))));
    host_.resizeOuter(outer);
    host_.centreOnScreen();
  }
  host_.fitCameraToOutput(SizeChange::SizeChanged);
  return true;
}

void SizeController::selectSizePreset(int index) {
  host_.flushTextInput();
  if (index != kCustomSizeIndex && index >= 0 && index < static_cast<int>(kSizePresets.size())) {
    const SizePreset& preset = kSizePresets[static_cast<size_t>(index)];
    if (!applyOutputSize(preset.pixelWidth, preset.pixelHeight, preset.dpi, preset.mmWidth,
                         preset.mmHeight))
      panel_.sizeTypeCombo()->setCurrentIndex(output_.previousSizeType);
  }
  host_.focusView();
}

void SizeController::commitPixels(const Axis& axis) {
  host_.flushTextInput();
  selectCustom();
  const int value = truncToInt(leadingNumber(axis.pixelBox->text()));
  const SizeRoom room = host_.room();
  const bool fits = axis.fits(value, room);
  if (!fits && !axis.onScreen(value, room)) {
    host_.refuseForScreen();
    show(axis.pixelBox, QString::number(output_.*axis.pixels));
    return;
  }
  output_.*axis.pixels = value;
  show(axis.mmBox, formatFloat(pixelsToMm(value, output_.dpi)));
  host_.persistSizes({{axis.pixelKey, axis.pixelBox->text()}, {axis.mmKey, axis.mmBox->text()}});
  if (fits) {
    host_.showFrame();
  } else {
    host_.resizeOuter(axis.grown(host_.outerSize(), value, room));
    host_.centreOnScreen();
  }
  host_.fitCameraToOutput(axis.change);
}

void SizeController::commitMillimetres(const Axis& axis) {
  host_.flushTextInput();
  selectCustom();
  const auto mm = static_cast<float>(leadingNumber(axis.mmBox->text()));
  const int value = mmToPixels(mm, output_.dpi);
  const SizeRoom room = host_.room();
  const bool fits = axis.fits(value, room);
  if (!fits && !axis.onScreen(value, room)) {
    host_.refuseForScreen();
    show(axis.mmBox, formatFloat(output_.*axis.mm));
    return;
  }
  output_.*axis.mm = mm;
  output_.*axis.pixels = value;
  show(axis.pixelBox, QString::number(value));
  host_.persistSizes({{axis.pixelKey, axis.pixelBox->text()}, {axis.mmKey, axis.mmBox->text()}});
  // A millimetre entry grows the window but leaves it where it is on the screen.
  if (fits)
    host_.showFrame();
  else
    host_.resizeOuter(axis.grown(host_.outerSize(), value, room));
  host_.fitCameraToOutput(axis.change);
}

void SizeController::commitPixelWidth() {
  commitPixels({true, panel_.pixelWidthBox(), panel_.mmWidthBox(), &OutputSpec::pixelWidth,
                &OutputSpec::mmWidth, kPixelWidthKey, kMillimetreWidthKey,
                SizeChange::WidthChanged});
}

void SizeController::commitPixelHeight() {
  commitPixels({false, panel_.pixelHeightBox(), panel_.mmHeightBox(), &OutputSpec::pixelHeight,
                &OutputSpec::mmHeight, kPixelHeightKey, kMillimetreHeightKey,
                SizeChange::HeightChanged});
}

void SizeController::commitMmWidth() {
  commitMillimetres({true, panel_.pixelWidthBox(), panel_.mmWidthBox(), &OutputSpec::pixelWidth,
                     &OutputSpec::mmWidth, kPixelWidthKey, kMillimetreWidthKey,
                     SizeChange::WidthChanged});
}

void SizeController::commitMmHeight() {
  commitMillimetres({false, panel_.pixelHeightBox(), panel_.mmHeightBox(), &OutputSpec::pixelHeight,
                     &OutputSpec::mmHeight, kPixelHeightKey, kMillimetreHeightKey,
                     SizeChange::HeightChanged});
}

void SizeController::commitDpi() {
  host_.flushTextInput();
  selectCustom();
  const int dpi = dpiFrom(integerPrefix(panel_.dpiBox()->text()));
  const int width = mmToPixels(leadingNumber(panel_.mmWidthBox()->text()), dpi);
  const int height = mmToPixels(leadingNumber(panel_.mmHeightBox()->text()), dpi);
  if (!applyOutputSize(width, height, dpi, 0, 0))
    show(panel_.dpiBox(), QString::number(output_.dpi));
}

bool SizeController::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::FocusIn) return false;
  for (int page : {SizePanel::kPixelPage, SizePanel::kDpiPage}) {
    const PanelPage& controls = panel_.page(page);
    if (watched != controls.jpgFrame && watched != controls.jpgSign) continue;
    if (watched == controls.jpgSign) ensureNumLockOn(keyboard_);
    controls.jpgValue->setFocus();
  }
  return false;
}

void SizeController::commitJpgLimit(int page) {
  QLineEdit* box = panel_.page(page).jpgValue;
  QLineEdit* other =
      panel_.page(page == SizePanel::kPixelPage ? SizePanel::kDpiPage : SizePanel::kPixelPage)
          .jpgValue;
  QString compact = box->text();
  compact.remove(u' ');
  double value = leadingNumber(compact);
  if (value <= kNumberTolerance) value = kDefaultJpgLimitKb;
  const QString canonical = formatDouble(value);
  if (box->text() != canonical) {
    box->setText(canonical);
    box->setCursorPosition(0);
  }
  show(other, canonical);
  output_.jpgLimitKb = value;
  host_.persistJpgLimit(canonical);
}

void SizeController::step(QLineEdit* box, int step) {
  const QString text = box->text();
  for (int page : {SizePanel::kPixelPage, SizePanel::kDpiPage}) {
    if (box != panel_.page(page).jpgFrame) continue;
    QLineEdit* value = panel_.page(page).jpgValue;
    const auto stepped = static_cast<float>(leadingNumber(value->text()) + step);
    value->setText(stepped <= static_cast<float>(kNumberTolerance)
                       ? formatDouble(kDefaultJpgLimitKb)
                       : formatFloat(stepped));
    commit(value);
    return;
  }
  if (box == panel_.pixelWidthBox())
    box->setText(QString::number(std::max(truncToInt(leadingNumber(text) + step), 1)));
  else if (box == panel_.pixelHeightBox())
    box->setText(QString::number(std::max(truncToInt(leadingNumber(text) + step), 0)));
  else if (box == panel_.dpiBox())
    box->setText(QString::number(dpiFrom(integerPrefix(text) + step)));
  else if (box == panel_.mmWidthBox() || box == panel_.mmHeightBox())
    box->setText(formatFloat(std::max(static_cast<float>(leadingNumber(text) + step), 0.0f)));
  else
    return;
  commit(box);
}

void SizeController::commit(QLineEdit* box) {
  if (box == panel_.pixelWidthBox()) commitPixelWidth();
  if (box == panel_.pixelHeightBox()) commitPixelHeight();
  if (box == panel_.mmWidthBox()) commitMmWidth();
  if (box == panel_.mmHeightBox()) commitMmHeight();
  if (box == panel_.dpiBox()) commitDpi();
  if (box == panel_.page(SizePanel::kPixelPage).jpgValue) commitJpgLimit(SizePanel::kPixelPage);
  if (box == panel_.page(SizePanel::kDpiPage).jpgValue) commitJpgLimit(SizePanel::kDpiPage);
  NumericKeyFilter::settle(box);
}

QStringList SizeController::sizeTexts() const {
  return {panel_.pixelWidthBox()->text(), panel_.pixelHeightBox()->text(),
          panel_.mmWidthBox()->text(), panel_.mmHeightBox()->text(), panel_.dpiBox()->text()};
}

QString SizeController::jpgLimitText() const {
  return panel_.page(SizePanel::kPixelPage).jpgValue->text();
}

void SizeController::showJpgLimit(const QString& text) {
  for (int page : {SizePanel::kPixelPage, SizePanel::kDpiPage})
    show(panel_.page(page).jpgValue, text);
  output_.jpgLimitKb = leadingNumber(text);
}

void SizeController::showFrameSize(bool width, bool height) {
  if (width) {
    show(panel_.pixelWidthBox(), QString::number(output_.pixelWidth));
    show(panel_.mmWidthBox(), formatFloat(pixelsToMm(output_.pixelWidth, output_.dpi)));
  }
  if (height) {
    show(panel_.pixelHeightBox(), QString::number(output_.pixelHeight));
    show(panel_.mmHeightBox(), formatFloat(pixelsToMm(output_.pixelHeight, output_.dpi)));
  }
}

}  // namespace veltrix
