#include "tools/tool_palette.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>
#include <utility>

#include "platform/utf8.h"
#include "tools/swatch_box.h"
#include "tools/texts.h"
#include "tools/tool_rules.h"
#include "widgets/colour_picker.h"
#include "widgets/design_place.h"
#include "widgets/spin_buttons.h"

namespace veltrix {

using namespace tools_texts;

namespace {

// The spin buttons step the width within the design's range; typed widths go beyond it.
constexpr int kSpinLowest = 1;
constexpr int kSpinHighest = 20;

}  // namespace

ToolPalette::ToolPalette(QWidget* mainWindow, Prompter& prompter)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("ToolPalette"));
  resize(kOuterWidth, kOuterHeight);

  auto* tools = place(new QGroupBox(u8(kToolsGroup), this), "分组框1", {2, 0, 66, 90});
  penBox_ = place(new QCheckBox(u8(kPen), tools), "画笔选择框", {7, 16, 52, 22});
  textBox_ = place(new QCheckBox(u8(kText), tools), "文字选择框", {7, 38, 52, 22});
  eyedropperBox_ = place(new QCheckBox(u8(kEyedropper), tools), "吸管选择框", {7, 60, 52, 22});

  auto* width = place(new QGroupBox(u8(kPenWidthGroup), this), "分组框2", {2, 94, 66, 68});
  widthBar_ = place(new QLabel(width), "画笔粗细标签", {6, 16, 50, 1});
  widthBar_->setAutoFillBackground(true);
  widthBox_ = place(new QLineEdit(QStringLiteral("1"), width), "画笔粗细编辑框", {6, 40, 36, 20});
  auto* spin = new SpinButtons(widthBox_);
  connect(spin, &SpinButtons::stepped, this, [this](int step) {
    widthBox_->setText(QString::number(
        std::clamp(penWidthFrom(widthBox_->text()) + step, kSpinLowest, kSpinHighest)));
  });

  auto* colours = place(new QGroupBox(u8(kColourGroup), this), "分组框3", {2, 166, 66, 144});
  picker_ = place(new ColourPicker(prompter, Qt::black, colours), "颜色选择器1", {6, 16, 56, 20});
  swatches_ = place(new SwatchBox(colours), "色板图片框", {2, 40, 60, 100});

  connect(penBox_, &QCheckBox::clicked, this,
          [this](bool checked) { emit toolClicked(ToolKind::Pen, checked); });
  connect(textBox_, &QCheckBox::clicked, this,
          [this](bool checked) { emit toolClicked(ToolKind::Text, checked); });
  connect(eyedropperBox_, &QCheckBox::clicked, this,
          [this](bool checked) { emit toolClicked(ToolKind::Eyedropper, checked); });
  connect(widthBox_, &QLineEdit::textChanged, this, &ToolPalette::penWidthEdited);
  connect(picker_, &ColourPicker::colourChanged, this, &ToolPalette::colourChosen);
  connect(swatches_, &SwatchBox::picked, this, &ToolPalette::colourChosen);

  setMouseTracking(true);
  for (QWidget* control : findChildren<QWidget*>()) {
    control->setMouseTracking(true);
    control->installEventFilter(this);
  }
  move(positionBeside(mainWindow->frameGeometry().topLeft()));
  hide();
}

QPoint ToolPalette::positionBeside(QPoint mainTopLeft) {
  return {std::max(0, mainTopLeft.x() - 75), mainTopLeft.y() + 75};
}

void ToolPalette::mirror(const EditTools& edit) {
  penBox_->setChecked(edit.penActive);
  textBox_->setChecked(edit.textActive);
  eyedropperBox_->setChecked(edit.eyedropperActive);
  widthBar_->resize(widthBar_->width(), std::max(edit.penWidth, 0));
  QPalette bar = widthBar_->palette();
  bar.setColor(QPalette::Window, edit.colour);
  widthBar_->setPalette(bar);
  const QSignalBlocker quiet(picker_);
  picker_->setColour(edit.colour);
}

QString ToolPalette::penWidthText() const {
  return widthBox_->text();
}

std::optional<QString> ToolPalette::hintFor(const QWidget* control) {
  const QString name = control->objectName();
  if (name == QStringLiteral("ToolPalette")) return QString();
  const std::pair<const char*, const char*> hints[] = {
      {"画笔选择框", kPenHint},           {"文字选择框", kTextHint},
      {"吸管选择框", kEyedropperHint},    {"画笔粗细编辑框", kPenWidthHint},
      {"颜色选择器1", kColourPickerHint}, {"色板图片框", kSwatchHint},
  };
  for (const auto& [design, hint] : hints)
    if (name == u8(design)) return u8(hint);
  return std::nullopt;
}

bool ToolPalette::eventFilter(QObject* watched, QEvent* event) {
  auto* control = qobject_cast<QWidget*>(watched);
  if (!control) return false;
  if (event->type() == QEvent::Enter) emit pointerOver(control);
  if (event->type() == QEvent::MouseMove) {
    emit pointerOver(control);
    // A move a control leaves unhandled would reach the palette as a move over its body, and
    // give the body's hint where the control has its own or none.
    if (!static_cast<QMouseEvent*>(event)->buttons()) return true;
  }
  if (control == textBox_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    emit fontRequested();
    return true;
  }
  return false;
}

// The palette has no title bar: its body is where it is dragged from. Controls that take a press
// keep it, the swatches above all, where a press picks a colour.
void ToolPalette::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragOffset_ = event->globalPosition().toPoint() - pos();
}

void ToolPalette::mouseMoveEvent(QMouseEvent* event) {
  emit pointerOver(this);
  if (!(event->buttons() & Qt::LeftButton)) {
    dragOffset_.reset();
    return;
  }
  if (dragOffset_) move(event->globalPosition().toPoint() - *dragOffset_);
}

}  // namespace veltrix
