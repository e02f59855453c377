// Typing into a numeric size box: every rule cell through real key events, the keys that keep
// their usual meaning, the other ways in for text being shut, and Num Lock on a press.
#include "output/numeric_key_filter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <ostream>
#include <vector>

#include "fake_keyboard.h"
#include "platform/xkb_keyboard.h"

void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace veltrix {

void PrintTo(const NumericEdit& edit, std::ostream* os) {
  ::PrintTo(edit.text, os);
  *os << " caret " << edit.caret;
}

namespace {

struct Stroke {
  Qt::Key key;
  QString text;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

Stroke typed(char c) {
  return {static_cast<Qt::Key>(QTest::asciiToKey(c)), QString(QChar(c))};
}

const Stroke kBackspace{Qt::Key_Backspace, QStringLiteral("\b")};
// Some platforms send Backspace without its control character.
const Stroke kBareBackspace{Qt::Key_Backspace, QString()};

// A box with the filter attached, counting its commits.
struct NumericBox {
  QLineEdit box;
  NumericKeyFilter* filter = NumericKeyFilter::attach(&box);
  QSignalSpy committed{filter, &NumericKeyFilter::committed};

  // Sets the text, then selects length characters from start, or puts the caret at start.
  // A backward selection leaves the caret at its start rather than its end.
  void prepare(const QString& text, int start, int length = 0, bool backward = false) {
    box.setText(text);
    if (length == 0) {
      box.setCursorPosition(start);
    } else if (backward) {
      box.setSelection(start + length, -length);
    } else {
      box.setSelection(start, length);
    }
  }

  NumericEdit state() const { return {box.text(), box.cursorPosition()}; }

  void press(const Stroke& stroke) {
    QTest::sendKeyEvent(QTest::Click, &box, stroke.key, stroke.text, stroke.modifiers);
  }
};

struct RuleCase {
  const char* name;
  QString text;
  int caret;
  int selection;
  Stroke key;
  QString expectedText;
  int expectedCaret;
};

const std::vector<RuleCase>& ruleCases() {
  static const std::vector<RuleCase> cases = {
      // "." with no selection.
      {"DotAtStartPrefixesZero", "12", 0, 0, typed('.'), "0.12", 2},
      {"DotAtStartMovesAnExistingDot", "0.5", 0, 0, typed('.'), "0.05", 2},
      {"DotIntoEmptyBox", "", 0, 0, typed('.'), "0.", 2},
      {"DotInsideSplitsTheNumber", "125", 1, 0, typed('.'), "1.25", 2},
      {"DotInsideMovesTheDotLeft", "1.25", 3, 0, typed('.'), "12.5", 3},
      {"DotInsideMovesTheDotRight", "12.5", 1, 0, typed('.'), "1.25", 2},
      {"DotAfterLeadingZeroMakesAFraction", "05", 1, 0, typed('.'), "0.5", 2},
      {"DotInsideAFractionIsIgnored", "0.53", 3, 0, typed('.'), "0.53", 3},
      {"DotRightAfterZeroDotIsIgnored", "0.5", 2, 0, typed('.'), "0.5", 2},
      {"DotAtEndAppends", "15", 2, 0, typed('.'), "15.", 3},
      {"DotAtEndOfADecimalIsIgnored", "1.5", 3, 0, typed('.'), "1.5", 3},
      // "0" with no selection.
      {"ZeroIntoEmptyBox", "", 0, 0, typed('0'), "0", 1},
      {"ZeroAtStartMakesAFraction", "5", 0, 0, typed('0'), "0.5", 2},
      {"ZeroAtStartOfADecimalDropsItsDot", "1.5", 0, 0, typed('0'), "0.15", 2},
      {"ZeroInsideInserts", "15", 1, 0, typed('0'), "105", 2},
      {"ZeroAtEndAppends", "15", 2, 0, typed('0'), "150", 3},
      {"ZeroAtEndOfALoneZeroAppends", "0", 1, 0, typed('0'), "00", 2},
      // "1" to "9" with no selection.
      {"DigitAtStartPrefixes", "23", 0, 0, typed('7'), "723", 1},
      {"DigitIntoEmptyBox", "", 0, 0, typed('5'), "5", 1},
      {"DigitInsideInserts", "23", 1, 0, typed('9'), "293", 2},
      {"DigitAtEndAppends", "23", 2, 0, typed('4'), "234", 3},
      {"DigitAfterLoneZeroAppends", "0", 1, 0, typed('5'), "05", 2},
      // Backspace with no selection.
      {"BackspaceAtStartDoesNothing", "12", 0, 0, kBackspace, "12", 0},
      {"BackspaceInEmptyBoxDoesNothing", "", 0, 0, kBackspace, "", 0},
      {"BackspaceInsideRemovesTheCharacterBefore", "123", 2, 0, kBackspace, "13", 1},
      {"BackspaceAtEndRemovesTheLastCharacter", "123", 3, 0, kBackspace, "12", 2},
      {"BareBackspaceAtStartDoesNothing", "12", 0, 0, kBareBackspace, "12", 0},
      {"BareBackspaceInsideRemoves", "1.5", 2, 0, kBareBackspace, "15", 1},
      // "." over a selection.
      {"DotOverSelectionAtStart", "12.5", 0, 2, typed('.'), "0.5", 2},
      {"DotOverFirstDigit", "125", 0, 1, typed('.'), "0.25", 2},
      {"DotOverEverything", "12", 0, 2, typed('.'), "0.", 2},
      {"DotOverSelectionInside", "1234", 1, 2, typed('.'), "1.4", 2},
      {"DotOverSelectionAfterADot", "1.234", 3, 1, typed('.'), "12.4", 3},
      // "0" over a selection.
      {"ZeroOverLeadingDigitsMakesAFraction", "125", 0, 2, typed('0'), "0.5", 2},
      {"ZeroOverLeadingDigitDropsTheDot", "1.5", 0, 1, typed('0'), "0.5", 2},
      {"ZeroOverEverythingReplaces", "12", 0, 2, typed('0'), "0", 1},
      {"ZeroOverSelectionInsideReplaces", "125", 1, 1, typed('0'), "105", 3},
      // "1" to "9" over a selection.
      {"DigitOverLeadingDigitsReplaces", "125", 0, 2, typed('9'), "95", 2},
      {"DigitOverSelectionInsidePutsCaretAtEnd", "125", 1, 1, typed('7'), "175", 3},
      {"DigitOverEverythingReplaces", "12", 0, 2, typed('4'), "4", 1},
      // Backspace over a selection.
      {"BackspaceLeavingZeroDotKeepsIt", "10.5", 0, 1, kBackspace, "0.5", 0},
      {"BackspaceLeavingZeroDigitMakesAFraction", "105", 0, 1, kBackspace, "0.5", 0},
      {"BackspaceLeavingZerosMakesAFraction", "1005", 0, 1, kBackspace, "0.05", 0},
      {"BackspaceLeavingZeroDotDropsNothing", "10.05", 0, 1, kBackspace, "0.05", 0},
      {"BackspaceLeavingDotPrefixesZero", "12.5", 0, 2, kBackspace, "0.5", 0},
      {"BackspaceOverZeroBeforeDotKeepsText", "0.5", 0, 1, kBackspace, "0.5", 0},
      {"BackspaceOverEverythingEmpties", "12", 0, 2, kBackspace, "", 0},
      {"BackspaceOverLeadingDigitRemovesIt", "125", 0, 1, kBackspace, "25", 0},
      {"BackspaceOverSelectionInsideRemovesIt", "1205", 1, 1, kBackspace, "105", 1},
      {"BareBackspaceOverSelectionRemovesIt", "1234", 1, 2, kBareBackspace, "14", 1},
  };
  return cases;
}

class NumericKeyRule : public testing::TestWithParam<RuleCase> {};

TEST_P(NumericKeyRule, KeyPressGivesTextAndCaretAndOneCommit) {
  const RuleCase& rule = GetParam();
  // A selection may be made either way; the caret then sits at its end or its start.
  const std::vector<bool> directions =
      rule.selection > 0 ? std::vector{false, true} : std::vector{false};
  for (const bool backward : directions) {
    SCOPED_TRACE(backward ? "selected backward" : "selected forward");
    NumericBox numeric;
    numeric.prepare(rule.text, rule.caret, rule.selection, backward);
    numeric.press(rule.key);
    EXPECT_EQ(numeric.state(), (NumericEdit{rule.expectedText, rule.expectedCaret}));
    EXPECT_FALSE(numeric.box.hasSelectedText());
    EXPECT_EQ(numeric.committed.count(), 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Cells, NumericKeyRule, testing::ValuesIn(ruleCases()),
                         [](const testing::TestParamInfo<RuleCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(NumericKeyRuleFunction, AgreesWithTheBoxOnEveryCell) {
  for (const RuleCase& rule : ruleCases()) {
    SCOPED_TRACE(rule.name);
    const QChar key = rule.key.key == Qt::Key_Backspace ? kBackspaceKey : rule.key.text.at(0);
    const NumericEdit expected{rule.expectedText, rule.expectedCaret};
    EXPECT_EQ(filterNumericKey(rule.text, rule.caret, rule.selection, key), expected);
  }
}

TEST(NumericKeyRuleFunction, OutOfRangeCaretAndSelectionAreClampedToTheText) {
  EXPECT_EQ(filterNumericKey("12", 9, 0, QChar('3')), (NumericEdit{"123", 3}));
  EXPECT_EQ(filterNumericKey("12", -4, 0, QChar('3')), (NumericEdit{"312", 1}));
  EXPECT_EQ(filterNumericKey("125", 1, 9, QChar('7')), (NumericEdit{"17", 2}));
}

TEST(NumericKeySequences, TypedRunsBuildTheNumberOneCommitPerKey) {
  struct Run {
    const char* keys;
    const char* text;
  };
  const Run runs[] = {
      {"05", "05"}, {"0.5", "0.5"}, {".5", "0.5"}, {"12.5.", "12.5"}, {"1.2.3", "1.23"},
  };
  for (const Run& run : runs) {
    SCOPED_TRACE(run.keys);
    NumericBox numeric;
    QTest::keyClicks(&numeric.box, run.keys);
    EXPECT_EQ(numeric.box.text(), run.text);
    EXPECT_EQ(numeric.box.cursorPosition(), numeric.box.text().size());
    EXPECT_EQ(numeric.committed.count(), qstrlen(run.keys));
  }
}

struct OtherKey {
  const char* name;
  Stroke stroke;
};

// Keys that type a character outside the rules: swallowed, nothing changes, still one commit.
TEST(NumericKeyOtherCharacters, LeaveTextCaretAndSelectionAndCommitOnce) {
  const OtherKey keys[] = {
      {"Enter", {Qt::Key_Return, QStringLiteral("\r")}},
      {"keypad Enter", {Qt::Key_Enter, QStringLiteral("\r"), Qt::KeypadModifier}},
      {"Enter without text", {Qt::Key_Return, QString()}},
      {"space", {Qt::Key_Space, QStringLiteral(" ")}},
      {"letter", {Qt::Key_A, QStringLiteral("a")}},
      {"capital letter", {Qt::Key_E, QStringLiteral("E"), Qt::ShiftModifier}},
      {"minus", {Qt::Key_Minus, QStringLiteral("-")}},
      {"plus", {Qt::Key_Plus, QStringLiteral("+")}},
      {"comma", {Qt::Key_Comma, QStringLiteral(",")}},
      {"full-width digit", {Qt::Key_unknown, QStringLiteral("５")}},
      {"full-width dot", {Qt::Key_unknown, QStringLiteral("．")}},
      {"Arabic-Indic digit", {Qt::Key_unknown, QStringLiteral("٣")}},
      {"Escape", {Qt::Key_Escape, QStringLiteral("\x1b")}},
      {"Ctrl+V as X11 sends it", {Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier}},
      {"Ctrl+V without text", {Qt::Key_V, QString(), Qt::ControlModifier}},
      {"Shift+Insert", {Qt::Key_Insert, QString(), Qt::ShiftModifier}},
      {"Ctrl+X without text", {Qt::Key_X, QString(), Qt::ControlModifier}},
      {"Ctrl+Z without text", {Qt::Key_Z, QString(), Qt::ControlModifier}},
      {"Ctrl+A without text", {Qt::Key_A, QString(), Qt::ControlModifier}},
  };
  QGuiApplication::clipboard()->setText(QStringLiteral("99"));
  for (const OtherKey& key : keys) {
    SCOPED_TRACE(key.name);
    NumericBox numeric;
    numeric.prepare(QStringLiteral("1.25"), 1);
    numeric.press(key.stroke);
    EXPECT_EQ(numeric.box.text(), QStringLiteral("1.25"));
    EXPECT_EQ(numeric.box.cursorPosition(), 1);
    EXPECT_EQ(numeric.committed.count(), 1);

    numeric.prepare(QStringLiteral("1.25"), 1, 2);
    numeric.press(key.stroke);
    EXPECT_EQ(numeric.box.text(), QStringLiteral("1.25"));
    EXPECT_EQ(numeric.box.selectedText(), QStringLiteral(".2"));
    EXPECT_EQ(numeric.committed.count(), 2);
  }
}

struct PlainKey {
  const char* name;
  Stroke stroke;
  int caret;
  int selection;
  QString expectedText;
  int expectedCaret;
};

// Keys without a character keep what QLineEdit does with them and commit nothing.
TEST(NumericKeyPlainKeys, KeepTheirUsualEffectWithoutCommitting) {
  const PlainKey keys[] = {
      {"Delete", {Qt::Key_Delete, QString()}, 1, 0, "15", 1},
      {"Delete as X11 sends it", {Qt::Key_Delete, QStringLiteral("\x7f")}, 1, 0, "15", 1},
      {"Delete over a selection", {Qt::Key_Delete, QString()}, 0, 2, "5", 0},
      {"Left", {Qt::Key_Left, QString()}, 2, 0, "135", 1},
      {"Right", {Qt::Key_Right, QString()}, 2, 0, "135", 3},
      {"Home", {Qt::Key_Home, QString()}, 2, 0, "135", 0},
      {"End", {Qt::Key_End, QString()}, 1, 0, "135", 3},
      {"Shift", {Qt::Key_Shift, QString(), Qt::ShiftModifier}, 2, 0, "135", 2},
      {"Control", {Qt::Key_Control, QString(), Qt::ControlModifier}, 2, 0, "135", 2},
      {"F2", {Qt::Key_F2, QString()}, 2, 0, "135", 2},
  };
  for (const PlainKey& key : keys) {
    SCOPED_TRACE(key.name);
    NumericBox numeric;
    numeric.prepare(QStringLiteral("135"), key.caret, key.selection);
    numeric.press(key.stroke);
    EXPECT_EQ(numeric.box.text(), key.expectedText);
    EXPECT_EQ(numeric.box.cursorPosition(), key.expectedCaret);
    EXPECT_EQ(numeric.committed.count(), 0);
  }
}

TEST(NumericKeyPlainKeys, ShiftLeftStillSelects) {
  NumericBox numeric;
  numeric.prepare(QStringLiteral("135"), 3);
  numeric.press({Qt::Key_Left, QString(), Qt::ShiftModifier});
  EXPECT_EQ(numeric.box.selectedText(), QStringLiteral("5"));
  numeric.press(typed('7'));
  EXPECT_EQ(numeric.box.text(), QStringLiteral("137"));
  EXPECT_EQ(numeric.committed.count(), 1);
}

TEST(NumericKeyPlainKeys, TabStillMovesTheFocus) {
  QWidget window;
  NumericBox numeric;
  numeric.box.setParent(&window);
  auto* next = new QLineEdit(&window);
  window.show();
  numeric.box.setFocus();
  ASSERT_EQ(window.focusWidget(), &numeric.box);
  numeric.press({Qt::Key_Tab, QStringLiteral("\t")});
  EXPECT_EQ(window.focusWidget(), next);
  EXPECT_EQ(numeric.box.text(), QString());
  EXPECT_EQ(numeric.committed.count(), 0);
}

TEST(NumericKeyInputMethod, CommittedTextGoesThroughTheRules) {
  struct Commit {
    QString text;
    QString expected;
  };
  const Commit commits[] = {
      {QStringLiteral("7"), QStringLiteral("127")},
      {QStringLiteral("０５"), QStringLiteral("12")},
      {QStringLiteral(".5"), QStringLiteral("12.5")},
  };
  for (const Commit& commit : commits) {
    SCOPED_TRACE(commit.text.toStdString());
    NumericBox numeric;
    numeric.prepare(QStringLiteral("12"), 2);
    QInputMethodEvent event;
    event.setCommitString(commit.text);
    QApplication::sendEvent(&numeric.box, &event);
    EXPECT_EQ(numeric.box.text(), commit.expected);
    EXPECT_EQ(numeric.committed.count(), commit.text.size());
  }
}

TEST(NumericKeyAttach, ClosesContextMenuAndDrops) {
  QLineEdit box;
  NumericKeyFilter* filter = NumericKeyFilter::attach(&box);
  EXPECT_EQ(filter->parent(), &box);
  EXPECT_EQ(filter->box(), &box);
  EXPECT_EQ(box.contextMenuPolicy(), Qt::NoContextMenu);
  EXPECT_FALSE(box.acceptDrops());
}

TEST(NumericKeyPress, LeftPressReportsAndStillPlacesTheCaret) {
  NumericBox numeric;
  numeric.prepare(QStringLiteral("135"), 3);
  QSignalSpy pressed(numeric.filter, &NumericKeyFilter::pressed);
  numeric.box.resize(120, 24);
  QTest::mouseClick(&numeric.box, Qt::LeftButton, {}, QPoint(1, 12));
  EXPECT_EQ(pressed.count(), 1);
  EXPECT_EQ(numeric.box.cursorPosition(), 0);
  QTest::mouseClick(&numeric.box, Qt::RightButton);
  QTest::mouseClick(&numeric.box, Qt::MiddleButton);
  EXPECT_EQ(pressed.count(), 1);
  EXPECT_EQ(numeric.committed.count(), 0);
}

TEST(NumLock, SwitchedOnWhenOffAndLeftAloneWhenOn) {
  test::FakeKeyboard off;
  off.on = false;
  ensureNumLockOn(off);
  EXPECT_TRUE(off.on);
  EXPECT_EQ(off.presses, 1);

  test::FakeKeyboard on;
  on.on = true;
  ensureNumLockOn(on);
  EXPECT_TRUE(on.on);
  EXPECT_EQ(on.presses, 0);
}

TEST(NumLock, PressOnABoxSwitchesItOn) {
  test::FakeKeyboard keyboard;
  NumericBox numeric;
  QObject::connect(numeric.filter, &NumericKeyFilter::pressed,
                   [&keyboard] { ensureNumLockOn(keyboard); });
  QTest::mouseClick(&numeric.box, Qt::LeftButton);
  QTest::mouseClick(&numeric.box, Qt::LeftButton);
  EXPECT_TRUE(keyboard.on);
  EXPECT_EQ(keyboard.presses, 1);
}

TEST(NumLock, OffX11TheRealKeyboardReadsOnAndIgnoresPresses) {
  ASSERT_NE(QGuiApplication::platformName(), QStringLiteral("xcb"));
  XkbKeyboard keyboard;
  EXPECT_TRUE(keyboard.numLockOn());
  keyboard.pressNumLock();
  EXPECT_TRUE(keyboard.numLockOn());
}

}  // namespace
}  // namespace veltrix
