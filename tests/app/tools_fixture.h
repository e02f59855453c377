// A started main window with the tool palette open, and the steps a person takes with the tools:
// ticking a tool, choosing a colour, a width and a font, scrolling, drawing and typing on the view
// canvas.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolBar>

#include "tools/tool_palette.h"
#include "widgets/colour_picker.h"
#include "window_fixture.h"

namespace veltrix::test {

inline constexpr QRgb kInk = qRgb(255, 0, 0);
inline constexpr QRgb kGrey = qRgb(60, 90, 120);

class ToolsTest : public WindowTest {
 public:
  void SetUp() override {
    start();
    canvas = control("可视画板");
    entry = control<QLineEdit>("文字输入编辑框");
  }

  QAction* toolbarAction(int index) const {
    return control<QToolBar>("工具条1")->actions().at(index);
  }
  void toggleEdit() { toolbarAction(8)->trigger(); }
  void tick(const char* box) { control<QCheckBox>(box)->click(); }
  void useColour(QRgb colour) { control<ColourPicker>("颜色选择器1")->setColour(QColor(colour)); }
  void useWidth(const char* width) { typeInto("画笔粗细编辑框", width, true); }

  // The font dialog answers with the face at the size; a right press on the text box opens it.
  // The button is let go again: QTest would hold it through every later mouse event.
  void chooseFont(int points) {
    QFont font(u("宋体"));
    font.setPointSize(points);
    fixture.prompter.fonts.push_back(font);
    QTest::mouseClick(control("文字选择框"), Qt::RightButton, {}, {5, 5});
  }

  // A picture of one colour shown at zoom 1 and the palette open.
  void openGrey(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(kGrey);
    openPicture(picture);
    atZoom(1.0);
    toggleEdit();
  }

  void atZoom(double zoom) {
    program->view.zoom = zoom;
    window->zoomBy(1.0);
  }

  // Drags a scroll bar's thumb with the mouse by `pixels` along the bar; dragged far enough, it
  // stops at the bar's end. The events carry the left button alone: a button another test left
  // held in QTest's record would make the bar ignore the drag.
  void dragThumb(const char* name, int pixels) {
    auto* bar = control<QScrollBar>(name);
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    const QPoint thumb =
        bar->style()
            ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar)
            .center();
    const QPoint along =
        bar->orientation() == Qt::Horizontal ? QPoint(pixels, 0) : QPoint(0, pixels);
    const auto send = [bar](QEvent::Type type, QPoint at, Qt::MouseButton button,
                            Qt::MouseButtons held) {
      QMouseEvent event(type, at, bar->mapToGlobal(at), button, held, {});
      QApplication::sendEvent(bar, &event);
    };
    send(QEvent::MouseButtonPress, thumb, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, thumb + along, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, thumb + along, Qt::LeftButton, Qt::NoButton);
  }

  void press(QPoint at) { QTest::mousePress(canvas, Qt::LeftButton, {}, at); }
  void moveTo(QPoint at) { QTest::mouseMove(canvas, at); }
  void release(QPoint at) { QTest::mouseRelease(canvas, Qt::LeftButton, {}, at); }
  void click(QPoint at) { QTest::mouseClick(canvas, Qt::LeftButton, {}, at); }

  // A red stroke of width 6 drawn and not yet let go.
  void pendingStroke() {
    tick("画笔选择框");
    useColour(kInk);
    useWidth("6");
    press({180, 120});
    moveTo({240, 150});
  }

  // Red text typed at a click and not yet committed.
  void pendingText() {
    useColour(kInk);
    chooseFont(24);
    click({180, 150});
    QTest::keyClicks(entry, u("WW"));
  }

  // Types any text into the entry box, one key a character; QTest's key clicks know only ASCII.
  void typeText(const QString& text) {
    for (const QChar character : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
      QApplication::sendEvent(entry, &press);
      QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(character));
      QApplication::sendEvent(entry, &release);
    }
  }

  // The mouse comes over a control, as it must before the control is used.
  static void hover(QWidget* control) {
    const QPointF at(2, 2);
    QMouseEvent move(QEvent::MouseMove, at, control->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     {});
    QApplication::sendEvent(control, &move);
  }

  // Pixels that are plainly the ink: red, with little green or blue.
  static int inkPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb pixel = image.pixel(x, y);
        if (qRed(pixel) > 200 && qGreen(pixel) < 50 && qBlue(pixel) < 50) ++count;
      }
    return count;
  }

  QWidget* canvas = nullptr;
  QLineEdit* entry = nullptr;
};

}  // namespace veltrix::test
