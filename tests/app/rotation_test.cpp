// The toolbar's turns on the real window: the picture turned in memory, the zoom kept, and the
// crop taken from the turned picture.
#include <unistd.h>

#include <QToolBar>

#include "address_space.h"
#include "window_fixture.h"

namespace veltrix::test {
namespace {

class RotationTest : public WindowTest {
 public:
  void turn(int slot) { control<QToolBar>("工具条1")->actions().at(slot)->trigger(); }
  static constexpr int kClockwise = 6;
  static constexpr int kAnticlockwise = 7;
};

// In a process of its own, with too little memory left for a second picture: the turn fails,
// says so, and the picture stays as it was. Ends the process: 0 when all of that held.
void turnWithoutMemory(RotationTest& test) {
  test.start();
  test.showFilled({6000, 4000}, qRgb(10, 20, 30));
  const qint64 before = test.program->document.picture.cacheKey();
  leaveAddressSpace(48 * 1024 * 1024);
  test.turn(RotationTest::kClockwise);
  const auto messages = test.fixture.prompter.messages();
  const bool told = messages.size() == 1 && messages[0].text == u("旋转失败！") &&
                    messages[0].title == u("提示：");
  const bool kept = test.program->document.picture.cacheKey() == before;
  _exit(told && kept ? 0 : 1);
}

TEST_F(RotationTest, ATurnWithoutMemoryForItLeavesThePicture) {
#ifdef VELTRIX_SANITIZED
  GTEST_SKIP() << "AddressSanitizer cannot run under a capped address space";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(turnWithoutMemory(*this), testing::ExitedWithCode(0), "");
}

TEST_F(RotationTest, ClockwiseTurnIsCroppedAsTheTurnedPicture) {
  start();
  const QImage picture = noisePicture(300, 200);
  openPicture(picture);
  turn(kClockwise);
  opened = picture.transformed(QTransform().rotate(90));
  ASSERT_EQ(program->document.picture, opened);
  const std::optional<QImage> saved = saveAs(u("turned.png"));
  ASSERT_TRUE(saved);
  EXPECT_EQ(*saved, expectedCrop());
}

TEST_F(RotationTest, TurnsKeepTheZoomAndComeBackToThePicture) {
  start();
  const QImage picture = noisePicture(900, 500);
  openPicture(picture);
  window->zoomBy(1.1);
  const double zoom = program->view.zoom;
  turn(kClockwise);
  EXPECT_EQ(program->document.picture.size(), QSize(500, 900));
  EXPECT_DOUBLE_EQ(program->view.zoom, zoom);
  turn(kAnticlockwise);
  EXPECT_EQ(program->document.picture, picture);
  EXPECT_DOUBLE_EQ(program->view.zoom, zoom);
  for (int i = 0; i < 4; ++i) turn(kAnticlockwise);
  EXPECT_EQ(program->document.picture, picture);
  EXPECT_TRUE(fixture.prompter.messages().empty());
}

TEST_F(RotationTest, WithoutAPictureATurnDoesNothing) {
  start();
  turn(kClockwise);
  EXPECT_FALSE(program->document.present);
  EXPECT_TRUE(fixture.prompter.messages().empty());
}

}  // namespace
}  // namespace veltrix::test
