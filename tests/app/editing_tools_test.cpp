// The pen, the text tool and the eyedropper on the real window: what they leave in the picture,
// what they leave alone, and what they pick.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>

#include "app/program.h"
#include "tools_fixture.h"

namespace veltrix {
namespace {

using test::kGrey;
using test::kInk;
using test::u;

class EditingToolsTest : public test::ToolsTest {};

// Every pixel that differs between two pictures of one size.
QRect changedArea(const QImage& before, const QImage& after) {
  QRect area;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x)
      if (before.pixel(x, y) != after.pixel(x, y)) area |= QRect(x, y, 1, 1);
  return area;
}

TEST_F(EditingToolsTest, AClickWithTheThinnestPenLeavesNothing) {
  openGrey({300, 200});
  const QImage before = program->document.picture;
  tick("画笔选择框");
  click({150, 100});
  EXPECT_FALSE(program->edit.strokePending);
  EXPECT_EQ(program->document.picture, before);
}

TEST_F(EditingToolsTest, AClickLeavesTheDotOfThePensWidth) {
  const struct {
    const char* width;
    int first;
    int last;
  } cases[] = {{"4", 98, 101}, {"5", 98, 102}};
  for (const auto& c : cases) {
    openGrey({300, 200});
    tick("画笔选择框");
    useColour(kInk);
    useWidth(c.width);
    click({100, 100});
    const QImage& shown = program->view.backCanvas;
    for (int i = c.first; i <= c.last; ++i) {
      EXPECT_EQ(shown.pixel(i, 100), kInk) << c.width << " x " << i;
      EXPECT_EQ(shown.pixel(100, i), kInk) << c.width << " y " << i;
    }
    EXPECT_EQ(shown.pixel(c.first - 1, 100), kGrey) << c.width;
    EXPECT_EQ(shown.pixel(c.last + 1, 100), kGrey) << c.width;
    EXPECT_EQ(shown.pixel(100, c.last + 1), kGrey) << c.width;
    toggleEdit();
  }
}

TEST_F(EditingToolsTest, HoveringOutlinesTheDotOnTheScreenOnly) {
  const struct {
    const char* width;
    bool outlined;
  } cases[] = {{"9", true}, {"1", false}};
  for (const auto& c : cases) {
    openGrey({300, 200});
    const QImage before = program->document.picture;
    tick("画笔选择框");
    useColour(kInk);
    useWidth(c.width);
    moveTo({200, 100});
    const QImage screen = canvas->grab().toImage();
    EXPECT_EQ(inkPixels(screen) > 0, c.outlined) << c.width;
    EXPECT_LE(inkPixels(screen), 40) << c.width;  // an outline, not a dot
    EXPECT_EQ(inkPixels(program->view.viewCanvas), 0) << c.width;
    EXPECT_EQ(inkPixels(program->view.backCanvas), 0) << c.width;
    moveTo({250, 150});
    EXPECT_EQ(canvas->grab().toImage().pixel(200, 96), kGrey) << c.width;
    EXPECT_EQ(program->document.picture, before);
    toggleEdit();
  }
}

// The outline follows the pointer; what the frame holds is the picture, with or without the pen.
TEST_F(EditingToolsTest, ThePensOutlineIsInNeitherTheCropNorTheCopy) {
  openGrey({300, 200});
  QToolButton* save =
      qobject_cast<QToolButton*>(control<QToolBar>("工具条1")->widgetForAction(toolbarAction(2)));
  ASSERT_NE(save, nullptr);
  const auto cropThroughToolbar = [&](const char* name) {
    fixture.prompter.paths.push_back(out(u(name)));
    QTest::mouseClick(save, Qt::LeftButton);
    return decodePictureFile(out(u(name)));
  };
  const std::optional<QImage> withoutPen = cropThroughToolbar("without-pen.png");
  ASSERT_TRUE(withoutPen);

  tick("画笔选择框");
  useColour(kInk);
  useWidth("9");
  moveTo(frameLines(program->frame, program->output).interior.center());
  ASSERT_GT(inkPixels(canvas->grab().toImage()), 0);
  const std::optional<QImage> cropped = cropThroughToolbar("with-pen.png");
  ASSERT_TRUE(cropped);
  EXPECT_EQ(*cropped, *withoutPen);

  moveTo(frameLines(program->frame, program->output).interior.center());
  QTest::keyClick(canvas, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
            *withoutPen);
}

TEST_F(EditingToolsTest, AStrokeAtHalfZoomHalvesThePictureAndLooksTheSame) {
  openGrey({800, 600});
  atZoom(0.5);
  tick("画笔选择框");
  useColour(kInk);
  useWidth("3");
  press({100, 100});
  moveTo({200, 150});
  const QImage shownBefore = program->view.viewCanvas.copy();
  release({200, 150});
  EXPECT_EQ(program->document.picture.size(), QSize(400, 300));
  EXPECT_DOUBLE_EQ(program->view.zoom, 1.0);
  EXPECT_EQ(program->view.viewCanvas, shownBefore);
  EXPECT_GT(inkPixels(program->document.picture), 100);
}

TEST_F(EditingToolsTest, AStrokeIntoTheMarginIsLostThere) {
  openGrey({200, 100});  // at 105, 89 on the 411 × 279 canvas
  tick("画笔选择框");
  useColour(kInk);
  useWidth("5");
  press({150, 130});
  moveTo({40, 130});
  release({40, 130});
  EXPECT_EQ(program->document.picture.size(), QSize(200, 100));
  EXPECT_EQ(program->document.picture.pixel(150 - 105, 130 - 89), kInk);
  for (int x = 30; x < 103; ++x)
    EXPECT_EQ(program->view.backCanvas.pixel(x, 130), qRgb(255, 255, 255)) << x;
}

TEST_F(EditingToolsTest, PixelsOutsideTheStrokesBoxNeverChange) {
  const QImage source = openPicture(test::noisePicture(300, 200));
  toggleEdit();
  const QPoint offset(program->view.offsetX, program->view.offsetY);
  tick("画笔选择框");
  useColour(kInk);
  useWidth("7");
  const QPoint from(120, 80), to(200, 140);
  press(from);
  moveTo({160, 130});
  moveTo(to);
  release(to);
  const QRect allowed = QRect(from - offset, to - offset).adjusted(-4, -4, 4, 4);
  const QRect changed = changedArea(source, program->document.picture);
  EXPECT_FALSE(changed.isNull());
  EXPECT_TRUE(allowed.contains(changed))
      << changed.x() << "," << changed.y() << " " << changed.width() << "x" << changed.height();
}

TEST_F(EditingToolsTest, EnterInAnEmptyBoxStillBakesAndGoesALineDown) {
  openGrey({800, 600});
  atZoom(0.5);
  tick("文字选择框");
  click({100, 100});
  ASSERT_TRUE(entry->isVisible());
  const QPoint boxAt = entry->pos();
  EXPECT_EQ(boxAt, QPoint(100, 100 - program->edit.charHeight + 4));
  QTest::keyClick(entry, Qt::Key_Return);
  EXPECT_EQ(program->document.picture.size(), QSize(400, 300));
  EXPECT_DOUBLE_EQ(program->view.zoom, 1.0);
  EXPECT_EQ(entry->pos(), boxAt + QPoint(0, entry->height()));
}

TEST_F(EditingToolsTest, ACropWithTypedTextSavesTheTextAndNothingElseChanged) {
  QImage grey(300, 200, QImage::Format_RGB32);
  grey.fill(kGrey);
  openPicture(grey);
  toggleEdit();
  const QImage expected = expectedCrop();
  useColour(kInk);
  chooseFont(24);
  ASSERT_TRUE(program->edit.textActive);
  click({150, 140});
  typeText(u("WW中"));
  const QRect textOnCanvas(entry->x(), entry->y() + 3,
                           QFontMetrics(program->edit.font).horizontalAdvance(u("WW中")) + 2,
                           program->edit.charHeight);
  const std::optional<QImage> saved = saveAs(u("text.png"));
  ASSERT_TRUE(saved);
  EXPECT_FALSE(program->edit.textActive);
  EXPECT_FALSE(control<QCheckBox>("文字选择框")->isChecked());
  EXPECT_GT(inkPixels(*saved), 30);
  const QRect textInCrop =
      textOnCanvas.translated(-program->frame.interiorLeft, -program->frame.interiorTop);
  for (int y = 0; y < saved->height(); ++y)
    for (int x = 0; x < saved->width(); ++x)
      if (!textInCrop.contains(x, y)) {
        ASSERT_EQ(saved->pixel(x, y), expected.pixel(x, y)) << x << "," << y;
      }
}

// Black text on a white picture, the box white too: every pixel the box showed is in the picture
// afterwards, at the same place, whatever the font and however wide the text.
TEST_F(EditingToolsTest, CommittedTextLandsWhereTheBoxShowedIt) {
  QImage white(400, 270, QImage::Format_RGB32);
  white.fill(Qt::white);
  openPicture(white);
  toggleEdit();
  useColour(qRgb(0, 0, 0));
  const QPoint offset(program->view.offsetX, program->view.offsetY);
  const struct {
    int points;
    const char* text;
    QPoint at;
  } cases[] = {
      {9, "ab", {20, 40}},     {9, "WW", {220, 40}},   {9, "写字Wide MW", {20, 80}},
      {24, "ab中", {20, 140}}, {24, "WW", {220, 140}}, {24, "Wide MW", {20, 230}},
  };
  for (const auto& c : cases) {
    chooseFont(c.points);
    click(c.at);
    typeText(u(c.text));
    const QImage shown = entry->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect box = entry->geometry();
    QTest::keyClick(entry, Qt::Key_Return);
    const QImage baked = program->document.picture.copy(box.translated(-offset));
    EXPECT_NE(shown, white.copy(QRect(QPoint(), shown.size()))) << c.points << " " << c.text;
    EXPECT_EQ(baked, shown) << c.points << " " << c.text;
  }
}

TEST_F(EditingToolsTest, HidingThePaletteCommitsTheTextAndEndsEveryTool) {
  openGrey({300, 200});
  tick("文字选择框");
  test::ToolsTest::pendingText();
  toggleEdit();
  EXPECT_GT(inkPixels(program->document.picture), 30);
  EXPECT_FALSE(entry->isVisible());
  EXPECT_FALSE(program->edit.textActive || program->edit.penActive ||
               program->edit.eyedropperActive);
  EXPECT_FALSE(window->toolPalette()->isVisible());
}

TEST_F(EditingToolsTest, TheNextClickCommitsTheLineAndARightPressOnTheBoxEndsTheTool) {
  openGrey({300, 200});
  tick("文字选择框");
  pendingText();
  click({120, 80});
  EXPECT_GT(inkPixels(program->document.picture), 30);
  EXPECT_TRUE(entry->isVisible());
  EXPECT_TRUE(entry->text().isEmpty());
  EXPECT_EQ(entry->pos(), QPoint(120, 80 - program->edit.charHeight + 4));
  const int before = inkPixels(program->document.picture);
  typeText(u("WW"));
  QTest::mouseClick(entry, Qt::RightButton, {}, {2, 2});
  EXPECT_GT(inkPixels(program->document.picture), before);
  EXPECT_FALSE(entry->isVisible());
  EXPECT_FALSE(program->edit.textActive);
  EXPECT_FALSE(control<QCheckBox>("文字选择框")->isChecked());
}

TEST_F(EditingToolsTest, TheFontChoiceKeepsTheColourAndSizesTheBox) {
  openGrey({300, 200});
  useColour(qRgb(0, 0, 0));
  chooseFont(18);
  EXPECT_TRUE(program->edit.textActive);
  EXPECT_EQ(program->edit.font.pixelSize(), 24);
  EXPECT_EQ(program->edit.colour, QColor(Qt::black));
  EXPECT_EQ(entry->font().pixelSize(), 24);
  EXPECT_EQ(entry->height(), program->edit.charHeight + 6);
  EXPECT_EQ(entry->palette().color(QPalette::Base), QColor(Qt::white));
  click({100, 100});
  typeText(u("ab中"));
  EXPECT_EQ(entry->width(), 6 * program->edit.charWidth);
}

TEST_F(EditingToolsTest, TheEyedropperTakesTheFrameLinesColour) {
  openGrey({300, 200});
  tick("吸管选择框");
  click({program->frame.interiorLeft - 1, 100});
  EXPECT_EQ(program->edit.colour.rgb(), qRgb(255, 255, 0));
  EXPECT_EQ(control<ColourPicker>("颜色选择器1")->colour().rgb(), qRgb(255, 255, 0));
  EXPECT_EQ(entry->palette().color(QPalette::Base).rgb(), qRgb(0, 0, 255));
  EXPECT_TRUE(program->edit.eyedropperActive);
  click({200, 100});
  EXPECT_EQ(program->edit.colour.rgb(), kGrey);
}

TEST_F(EditingToolsTest, ARightPressOnTheCanvasEndsEveryTool) {
  openGrey({300, 200});
  tick("画笔选择框");
  QTest::mouseClick(canvas, Qt::RightButton, {}, {100, 100});
  EXPECT_FALSE(program->edit.penActive);
  EXPECT_FALSE(control<QCheckBox>("画笔选择框")->isChecked());
}

// Each command that changes what is under typed text or a stroke makes them part of the picture
// first.
struct CommitPoint {
  const char* name;
  void (*act)(test::ToolsTest&);
};

void PrintTo(const CommitPoint& point, std::ostream* out) {
  *out << point.name;
}

class CommitPointTest : public test::ToolsTest,
                        public testing::WithParamInterface<std::tuple<CommitPoint, bool>> {};

TEST_P(CommitPointTest, PendingMarksAreInThePictureAfterwards) {
  const auto& [point, text] = GetParam();
  QImage grey(600, 400, QImage::Format_RGB32);
  grey.fill(kGrey);
  openPicture(grey);
  atZoom(1.0);
  toggleEdit();
  if (text) {
    tick("文字选择框");
    pendingText();
  } else {
    pendingStroke();
  }
  ASSERT_EQ(inkPixels(program->document.picture), 0);
  point.act(*this);
  EXPECT_FALSE(program->edit.strokePending);
  EXPECT_TRUE(entry->text().isEmpty());
  EXPECT_GT(inkPixels(program->document.picture), 20);
}

void hoverAnd(test::ToolsTest& t, const char* name) {
  test::ToolsTest::hover(t.control(name));
}

const CommitPoint kCommitPoints[] = {
    {"size preset",
     [](test::ToolsTest& t) {
       hoverAnd(t, "尺寸类型组合框");
       t.choosePreset(2);
     }},
    {"pixel width",
     [](test::ToolsTest& t) {
       hoverAnd(t, "像素宽编辑框");
       t.typeInto("像素宽编辑框", "150", true);
     }},
    {"pixel height",
     [](test::ToolsTest& t) {
       hoverAnd(t, "像素高编辑框");
       t.typeInto("像素高编辑框", "200", true);
     }},
    {"frame move button",
     [](test::ToolsTest& t) {
       hoverAnd(t, "像素法截图上移按钮");
       QTest::mouseClick(t.control("像素法截图上移按钮"), Qt::LeftButton);
     }},
    {"frame colour",
     [](test::ToolsTest& t) {
       hoverAnd(t, "像素法颜色选择器");
       t.control<ColourPicker>("像素法颜色选择器")->setColour(Qt::green);
     }},
    {"toolbar zoom in", [](test::ToolsTest& t) { t.toolbarAction(4)->trigger(); }},
    {"toolbar zoom out", [](test::ToolsTest& t) { t.toolbarAction(5)->trigger(); }},
    {"wheel",
     [](test::ToolsTest& t) {
       const QPointF at(200, 100);
       QWheelEvent wheel(at, t.canvas->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
       QApplication::sendEvent(t.canvas, &wheel);
     }},
    {"scroll bar",
     [](test::ToolsTest& t) {
       hoverAnd(t, "横向滚动条");
       auto* bar = t.control<QScrollBar>("横向滚动条");
       bar->setValue(bar->value() + 20);
     }},
    {"toolbar open cancelled", [](test::ToolsTest& t) { t.toolbarAction(1)->trigger(); }},
    {"toolbar save",
     [](test::ToolsTest& t) {
       t.fixture.prompter.paths.push_back(t.out(u("toolbar.png")));
       t.toolbarAction(2)->trigger();
     }},
    {"crop button",
     [](test::ToolsTest& t) {
       hoverAnd(t, "像素法截图按钮");
       t.fixture.prompter.paths.push_back(t.out(u("button.png")));
       QTest::mouseClick(t.control("像素法截图按钮"), Qt::LeftButton);
     }},
    {"edit command", [](test::ToolsTest& t) { t.toggleEdit(); }},
    {"pen box",
     [](test::ToolsTest& t) {
       hoverAnd(t, "画笔选择框");
       t.tick("画笔选择框");
     }},
    {"eyedropper box",
     [](test::ToolsTest& t) {
       hoverAnd(t, "吸管选择框");
       t.tick("吸管选择框");
     }},
    {"right press on the canvas",
     [](test::ToolsTest& t) {
       QTest::mouseClick(t.canvas, Qt::RightButton, {}, {300, 60});
     }},
};

INSTANTIATE_TEST_SUITE_P(EveryControl, CommitPointTest,
                         testing::Combine(testing::ValuesIn(kCommitPoints), testing::Bool()),
                         [](const testing::TestParamInfo<CommitPointTest::ParamType>& info) {
                           std::string name = std::get<0>(info.param).name;
                           for (char& c : name)
                             if (c == ' ') c = '_';
                           return name + (std::get<1>(info.param) ? "_text" : "_stroke");
                         });

// A pen stroke or a line of text becomes part of the picture without moving the view: at any zoom
// and wherever the scroll bars stand, their ends included, every view pixel shows afterwards what
// it showed before, the marks aside.

// Far enough along a bar to take its thumb to the end.
constexpr int kPastTheEnd = 1000;

struct BakeCase {
  const char* name;
  double zoom;
  int horizontalDrag;  // pixels the thumbs are dragged from the middle; 0 leaves them there
  int verticalDrag;
};

void PrintTo(const BakeCase& c, std::ostream* out) {
  *out << c.name;
}

enum class Mark { Stroke, Text };

class BakeTest : public test::ToolsTest,
                 public testing::WithParamInterface<std::tuple<BakeCase, Mark>> {
 public:
  // Draws the mark and lets it be baked; returns the view canvas area it may cover.
  QRect markAndBake(Mark mark) {
    useColour(kInk);
    if (mark == Mark::Stroke) {
      tick("画笔选择框");
      useWidth("5");
      const QPoint from(120, 100), to(200, 160);
      press(from);
      moveTo(to);
      release(to);
      return QRect(from, to).adjusted(-3, -3, 3, 3);
    }
    tick("文字选择框");
    click({150, 150});
    typeText(u("WW"));
    const QRect box = entry->geometry();
    QTest::keyClick(entry, Qt::Key_Return);
    return box;
  }
};

TEST_P(BakeTest, EveryViewPixelShowsTheSamePicturePixelAfterwards) {
  const auto& [c, mark] = GetParam();
  openPicture(test::noisePicture(400, 300));
  atZoom(c.zoom);
  toggleEdit();
  const QPoint centred = scrollPositions();
  dragThumb("横向滚动条", c.horizontalDrag);
  dragThumb("纵向滚动条", c.verticalDrag);
  const QPoint scrolled = scrollPositions();
  // A drag that did not take would leave the view centred, which no bake ever moved.
  if (c.horizontalDrag != 0 && program->view.horizontal.enabled) {
    ASSERT_NE(scrolled.x(), centred.x());
  }
  if (c.verticalDrag != 0 && program->view.vertical.enabled) {
    ASSERT_NE(scrolled.y(), centred.y());
  }
  const QImage before = program->view.viewCanvas.copy();

  const QRect marks = markAndBake(mark);
  ASSERT_DOUBLE_EQ(program->view.zoom, 1.0);
  EXPECT_EQ(scrollPositions(), scrolled);
  const QImage& after = program->view.viewCanvas;
  int moved = 0;
  for (int y = 0; y < after.height(); ++y)
    for (int x = 0; x < after.width(); ++x)
      if (!marks.contains(x, y) && after.pixel(x, y) != before.pixel(x, y)) ++moved;
  EXPECT_EQ(moved, 0);
  EXPECT_GT(inkPixels(after.copy(marks)), inkPixels(before.copy(marks)));
}

// 400 × 300 on the 411 × 279 view: at 0.5 it has margins all round, at 1 it scrolls up and down
// only, larger it scrolls both ways.
const BakeCase kBakeCases[] = {
    {"HalfSize", 0.5, 0, 0},
    {"OneToOneTop", 1.0, 0, -kPastTheEnd},
    {"OneToOneMiddle", 1.0, 0, 0},
    {"OneToOneBottom", 1.0, 0, kPastTheEnd},
    {"EnlargedTopLeft", 1.7, -kPastTheEnd, -kPastTheEnd},
    {"EnlargedBottomRight", 1.7, kPastTheEnd, kPastTheEnd},
    {"EnlargedTopRight", 1.7, kPastTheEnd, -kPastTheEnd},
    {"EnlargedBottomLeft", 1.7, -kPastTheEnd, kPastTheEnd},
    // To 109, 117, where the fractions taken back truncate a pixel short.
    {"EnlargedBetween", 1.7, -34, 2},
    {"FarEnlargedTopLeft", 2.35, -kPastTheEnd, -kPastTheEnd},
    {"FarEnlargedBetween", 2.35, 61, -45},
    {"FarEnlargedBottomRight", 2.35, kPastTheEnd, kPastTheEnd},
};

INSTANTIATE_TEST_SUITE_P(ZoomsAndScrolls, BakeTest,
                         testing::Combine(testing::ValuesIn(kBakeCases),
                                          testing::Values(Mark::Stroke, Mark::Text)),
                         [](const testing::TestParamInfo<BakeTest::ParamType>& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) == Mark::Text ? "_text" : "_stroke");
                         });

}  // namespace
}  // namespace veltrix
