// Typing rules of the numeric size boxes and the event filter that applies them to a QLineEdit.
#include "output/numeric_key_filter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>

namespace veltrix {
namespace {

const QChar kDot('.');
const QChar kZero('0');
const QChar kPasteKey(0x16);

bool isDigit(QChar key) {
  return key >= kZero && key <= QChar('9');
}

QString withoutDots(QString text) {
  return text.remove(kDot);
}

NumericEdit typeAtCaret(const QString& text, int p, QChar key) {
  const int n = text.size();
  const NumericEdit unchanged{text, p};
  if (key == kDot) {
    if (p == 0) return {"0." + withoutDots(text), 2};
    if (p == n) return text.contains(kDot) ? unchanged : NumericEdit{text + kDot, n + 1};
    if (text.left(p).startsWith("0.")) return unchanged;
    const QString before = withoutDots(text.left(p));
    return {before + kDot + withoutDots(text.mid(p)), static_cast<int>(before.size()) + 1};
  }
  if (key == kZero && p == 0) {
    return text.isEmpty() ? NumericEdit{"0", 1} : NumericEdit{"0." + withoutDots(text), 2};
  }
  if (isDigit(key)) return {text.left(p) + key + text.mid(p), p + 1};
  if (key == kBackspaceKey && p > 0) return {text.left(p - 1) + text.mid(p), p - 1};
  return unchanged;
}

NumericEdit typeOverSelection(const QString& text, int p, int k, QChar key) {
  const QString before = text.left(p);
  const QString after = text.mid(p + k);
  if (key == kDot) {
    if (p == 0) return {"0." + withoutDots(after), 2};
    const QString head = withoutDots(before);
    return {head + kDot + withoutDots(after), static_cast<int>(head.size()) + 1};
  }
  if (key == kZero && p == 0 && !after.isEmpty()) return {"0." + withoutDots(after), 2};
  if (isDigit(key)) {
    const QString replaced = before + key + after;
    return {replaced, static_cast<int>(replaced.size())};
  }
  if (key == kBackspaceKey) {
    // Removing the leading digits must not leave a number that starts with "0" or ".".
    if (p == 0 && after.startsWith(kZero)) {
      return {after.startsWith("0.") ? after : "0." + withoutDots(after.mid(1)), 0};
    }
    if (p == 0 && after.startsWith(kDot)) return {kZero + after, 0};
    return {before + after, p};
  }
  return {text, p};
}

bool edits(QChar key) {
  return isDigit(key) || key == kDot || key == kBackspaceKey;
}

// The characters a key press types. Platforms differ in the text they attach to Backspace,
// Enter and Control chords, so those are made to read as they do under X11.
QString typedCharacters(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return {};
    case Qt::Key_Backspace:
      return QString(kBackspaceKey);
    default:
      break;
  }
  if (!event.text().isEmpty()) return event.text();
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return QStringLiteral("\r");
  if (event.matches(QKeySequence::Paste)) return QString(kPasteKey);
  const Qt::KeyboardModifiers chord = event.modifiers() & ~Qt::ShiftModifier;
  if (chord == Qt::ControlModifier && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
    return QString(QChar(event.key() - Qt::Key_A + 1));
  }
  return {};
}

}  // namespace

NumericEdit filterNumericKey(const QString& text, int caret, int selectionLength, QChar key) {
  const int n = static_cast<int>(text.size());
  const int p = std::clamp(caret, 0, n);
  const int k = std::clamp(selectionLength, 0, n - p);
  return k > 0 ? typeOverSelection(text, p, k, key) : typeAtCaret(text, p, key);
}

NumericKeyFilter* NumericKeyFilter::attach(QLineEdit* box) {
  return new NumericKeyFilter(box);
}

void NumericKeyFilter::show(QLineEdit* box, const QString& text) {
  box->setText(text);
  settle(box);
}

void NumericKeyFilter::settle(QLineEdit* box) {
  if (auto* filter = box->findChild<NumericKeyFilter*>(QString(), Qt::FindDirectChildrenOnly))
    filter->settled_ = box->text();
}

NumericKeyFilter::NumericKeyFilter(QLineEdit* box)
    : QObject(box), box_(box), settled_(box->text()) {
  box->setContextMenuPolicy(Qt::NoContextMenu);
  box->setAcceptDrops(false);
  box->installEventFilter(this);
}

bool NumericKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != box_) return false;
  switch (event->type()) {
    case QEvent::KeyPress: {
      const QString characters = typedCharacters(*static_cast<QKeyEvent*>(event));
      if (characters.isEmpty()) return false;
      type(characters);
      return true;
    }
    case QEvent::InputMethod:
      // Input methods (a Chinese one typing full-width digits, say) bypass key presses.
      type(static_cast<QInputMethodEvent*>(event)->commitString());
      return true;
    case QEvent::FocusOut:
      if (box_->text() != settled_) commit();
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      // A middle-button release pastes the X11 selection.
      if (mouse->button() == Qt::MiddleButton) return true;
      if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        emit pressed();
      }
      return false;
    }
    default:
      return false;
  }
}

void NumericKeyFilter::type(const QString& characters) {
  for (const QChar key : characters) {
    const bool selected = box_->hasSelectedText();
    const int start = selected ? box_->selectionStart() : box_->cursorPosition();
    const int length = selected ? box_->selectionLength() : 0;
    const NumericEdit edit = filterNumericKey(box_->text(), start, length, key);
    if (edits(key)) {
      if (edit.text != box_->text()) box_->setText(edit.text);
      box_->setCursorPosition(edit.caret);
    }
    commit();
  }
}

void NumericKeyFilter::commit() {
  emit committed();
  settled_ = box_->text();
}

}  // namespace veltrix
