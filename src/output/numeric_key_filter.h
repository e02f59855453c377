// Typing rules of the numeric size boxes: each typed character is turned into a whole new text
// and caret, so the box never inserts characters (or pasted text) on its own.
#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace veltrix {

// The character a Backspace key press stands for.
inline constexpr QChar kBackspaceKey = QChar(0x08);

struct NumericEdit {
  QString text;
  int caret = 0;  // 0 is before the first character

  friend bool operator==(const NumericEdit&, const NumericEdit&) = default;
};

// The box after key is typed into text with the caret at caret and selectionLength characters
// selected from there. "0" to "9", "." and kBackspaceKey edit; any other character changes
// nothing (full-width digits included).
NumericEdit filterNumericKey(const QString& text, int caret, int selectionLength, QChar key);

// Watches one box: every key press that yields a character goes through filterNumericKey instead
// of into the box and is followed by committed(), whether it changed the text or not. Text that
// reaches the box another way (Delete, an accessibility tool, any other setText) is committed
// when the box loses the focus.
class NumericKeyFilter : public QObject {
  Q_OBJECT
 public:
  // Installs a filter owned by box. Also turns off the box's context menu, text drops and
  // middle-button pastes, the ways text could get in without a key press.
  static NumericKeyFilter* attach(QLineEdit* box);

  QLineEdit* box() const { return box_; }

  // Shows a value the program has already taken, so that leaving the box commits nothing.
  static void show(QLineEdit* box, const QString& text);
  // The box's text has been taken as it stands.
  static void settle(QLineEdit* box);

 signals:
  void committed();
  // A left mouse button press on the box.
  void pressed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit NumericKeyFilter(QLineEdit* box);
  void type(const QString& characters);
  void commit();

  QLineEdit* box_;
  QString settled_;  // the text as of the last commit or the last value shown
};

}  // namespace veltrix
