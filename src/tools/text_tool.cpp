#include "tools/text_tool.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "tools/canvas_marks.h"
#include "tools/tool_rules.h"

namespace veltrix {

// The text inside the box starts this far below its top; the canvas draws it there too.
constexpr int kTextTop = 3;
// QLineEdit lays its text out this far inside its left and right edges, even without a frame or
// text margins.
constexpr int kEntryInnerMargin = 2;

TextTool::TextTool(ToolCanvas canvas, QLineEdit& entry) : canvas_(canvas), entry_(entry) {
  entry_.setFrame(false);
  entry_.setTextMargins(0, 0, 0, 0);
  entry_.setContentsMargins(0, 0, 0, 0);
}

bool TextTool::press(QPoint) {
  canvas_.host.setCanvasCursor(Qt::IBeamCursor);
  return true;
}

bool TextTool::release(QPoint at) {
  if (!canvas_.document.present) return true;
  if (!entry_.text().isEmpty()) commitText();
  entry_.clear();
  entry_.show();
  entry_.setFocus();
  entry_.move(at.x(), at.y() - canvas_.edit.charHeight + 4);
  return true;
}

QPoint TextTool::shownTextAt() const {
  return entry_.pos() + QPoint(kEntryInnerMargin, kTextTop);
}

void TextTool::drawBoxText() {
  drawToolText(canvas_.view.backCanvas, shownTextAt(), entry_.text(), canvas_.edit.font,
               canvas_.edit.colour);
}

void TextTool::commitText() {
  drawBoxText();
  canvas_.bake();
}

void TextTool::nextLine() {
  drawBoxText();
  canvas_.bake();
  entry_.clear();
  entry_.move(entry_.x(), entry_.y() + entry_.height());
}

void TextTool::flushTextInput() {
  if (!canvas_.edit.textActive) return;
  if (!entry_.text().isEmpty()) commitText();
  entry_.clear();
  entry_.hide();
}

void TextTool::useFont() {
  EditTools& edit = canvas_.edit;
  entry_.setFont(edit.font);
  const QFontMetrics metrics(edit.font);
  edit.charWidth = metrics.horizontalAdvance(QLatin1Char('a'));
  edit.charHeight = metrics.height();
  entry_.resize(edit.charWidth, edit.charHeight + 6);
}

void TextTool::useColour() {
  QPalette palette = entry_.palette();
  palette.setColor(QPalette::Text, canvas_.edit.colour);
  palette.setColor(QPalette::Base, entryBackground(canvas_.edit.colour));
  entry_.setPalette(palette);
}

// Text wider than the box would scroll inside it and be drawn elsewhere than it was shown: the
// box grows to hold it, with QLineEdit's inner margins and a pixel for the cursor after it.
void TextTool::fitWidth() {
  const double text = QFontMetricsF(canvas_.edit.font).horizontalAdvance(entry_.text());
  const int whole = static_cast<int>(std::ceil(text)) + 2 * kEntryInnerMargin + 1;
  entry_.resize(std::max(entryWidth(entry_.text(), canvas_.edit.charWidth), whole),
                entry_.height());
}

}  // namespace veltrix
