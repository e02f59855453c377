// The navigation keys taken from the whole program while registered, as real key events.
#include "platform/qt_hotkeys.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <vector>

namespace veltrix {
namespace {

struct Press {
  NavigationKey key;
  bool repeated;
  bool operator==(const Press&) const = default;
};

class QtHotkeysTest : public testing::Test {
 protected:
  void SetUp() override {
    box.show();
    box.setFocus();
    hotkeys.registerKeys([this](NavigationKey key, bool repeated) {
      presses.push_back({key, repeated});
    });
  }
  void TearDown() override { hotkeys.releaseKeys(); }

  QLineEdit box;
  QtHotkeys hotkeys;
  std::vector<Press> presses;
};

TEST_F(QtHotkeysTest, PlainLettersAreTakenAndReachNoControl) {
  QTest::keyClick(&box, Qt::Key_A);
  QTest::keyClick(&box, Qt::Key_S);
  QTest::keyClick(&box, Qt::Key_D);
  QTest::keyClick(&box, Qt::Key_F);
  // Caps Lock on: the same key with an upper-case letter and no modifier.
  QKeyEvent capital(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, QStringLiteral("D"));
  QApplication::sendEvent(&box, &capital);
  EXPECT_EQ(presses, (std::vector<Press>{{NavigationKey::A, false},
                                         {NavigationKey::S, false},
                                         {NavigationKey::D, false},
                                         {NavigationKey::F, false},
                                         {NavigationKey::D, false}}));
  EXPECT_TRUE(box.text().isEmpty());
}

TEST_F(QtHotkeysTest, HeldKeysSayTheyRepeat) {
  QKeyEvent held(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, QStringLiteral("d"), true);
  QApplication::sendEvent(&box, &held);
  EXPECT_EQ(presses, (std::vector<Press>{{NavigationKey::D, true}}));
}

// Under X11 a held key's repeats arrive as a release and a press at the same moment, and Qt does
// not always flag the press as a repeat; a press of a key never let go is one too.
TEST_F(QtHotkeysTest, RepeatsTheWindowSystemDidNotFlagAreRepeats) {
  const auto send = [](QWidget* to, QEvent::Type type, ulong at) {
    QKeyEvent event(type, Qt::Key_D, Qt::NoModifier, QStringLiteral("d"));
    event.setTimestamp(at);
    QApplication::sendEvent(to, &event);
  };
  const struct {
    QEvent::Type type;
    ulong at;
  } events[] = {
      {QEvent::KeyPress, 1000},    // pressed
      {QEvent::KeyPress, 1500},    // no release between: still held
      {QEvent::KeyRelease, 1540},  // the repeat's pair, both at one moment
      {QEvent::KeyPress, 1540},   {QEvent::KeyRelease, 1700},  // let go, and pressed again later
      {QEvent::KeyPress, 1800},   {QEvent::KeyRelease, 1801},
  };
  for (const auto& e : events) send(&box, e.type, e.at);
  EXPECT_EQ(presses, (std::vector<Press>{{NavigationKey::D, false},
                                         {NavigationKey::D, true},
                                         {NavigationKey::D, true},
                                         {NavigationKey::D, false}}));

  // A press opens a modal window, and the key is let go while it is open: the next press is new.
  presses.clear();
  QDialog dialog;
  QLineEdit* inDialog = new QLineEdit(&dialog);
  QTimer::singleShot(0, [&] {
    inDialog->setFocus();
    send(inDialog, QEvent::KeyRelease, 2100);
    dialog.accept();
  });
  send(&box, QEvent::KeyPress, 2000);
  dialog.exec();
  send(&box, QEvent::KeyPress, 2400);
  EXPECT_EQ(presses, (std::vector<Press>{{NavigationKey::D, false}, {NavigationKey::D, false}}));
}

TEST_F(QtHotkeysTest, ChordsOtherLettersAndModalWindowsPassThrough) {
  QTest::keyClick(&box, Qt::Key_D, Qt::ControlModifier);
  QTest::keyClick(&box, Qt::Key_D, Qt::ShiftModifier);
  QTest::keyClick(&box, Qt::Key_G);
  EXPECT_TRUE(presses.empty());
  EXPECT_EQ(box.text(), QStringLiteral("dg"));  // Shift+D typed, Ctrl+D typed nothing

  QDialog dialog;
  QLineEdit* name = new QLineEdit(&dialog);
  QTimer::singleShot(0, [&] {
    name->setFocus();
    QTest::keyClick(name, Qt::Key_A);
    dialog.accept();
  });
  dialog.exec();
  EXPECT_TRUE(presses.empty());
  EXPECT_EQ(name->text(), QStringLiteral("a"));
}

TEST_F(QtHotkeysTest, ReleasedKeysTypeAgain) {
  hotkeys.releaseKeys();
  EXPECT_FALSE(hotkeys.registered());
  QTest::keyClick(&box, Qt::Key_D);
  EXPECT_TRUE(presses.empty());
  EXPECT_EQ(box.text(), QStringLiteral("d"));
}

}  // namespace
}  // namespace veltrix
