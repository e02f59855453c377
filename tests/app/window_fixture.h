// A started main window on a Program of its own, with the helpers the window tests share: finding
// controls by their design names, opening and saving pictures as the user does, and the pixels a
// crop must hold, worked out from the source picture rather than read back from the view.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "app/main_window.h"
#include "codec/image_codec.h"
#include "program_fixture.h"
#include "test_files.h"
#include "test_pictures.h"
#include "widgets/choice_combo.h"

namespace veltrix::test {

inline constexpr QRgb kFrameYellow = qRgb(255, 255, 0);

// Noise that never holds the frame's yellow (its blue is never 0), so the drawn lines can be
// found in the view.
inline QImage noisePicture(int width, int height) {
  return noise(width, height, 99, 0x01);
}

// The interior as the four frame lines on the view enclose it: the lines stand one pixel left of
// and above the interior, and two pixels right of and below its last column and row.
inline std::optional<QRect> drawnInterior(const QImage& view, QRgb colour = kFrameYellow) {
  int left = view.width(), top = view.height(), right = -1, bottom = -1;
  for (int y = 0; y < view.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(view.constScanLine(y));
    for (int x = 0; x < view.width(); ++x) {
      if (row[x] != colour) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return std::nullopt;
  return QRect(left + 1, top + 1, right - left - 2, bottom - top - 2);
}

// What a crop of `interior` must hold with the picture shown at zoom 1 on a canvas of that size,
// scrolled to `scroll`: the source pixel under every interior pixel, white wherever the picture
// or the canvas does not reach.
inline QImage expectedAtZoomOne(const QImage& source, QSize canvas, QPoint scroll, QRect interior) {
  const auto offset = [](int picture, int room) {
    const int margin = (room - picture) / 2;
    return margin < 1 ? 0 : margin;
  };
  const QPoint shift(
      source.width() < canvas.width() ? offset(source.width(), canvas.width()) : -scroll.x(),
      source.height() < canvas.height() ? offset(source.height(), canvas.height()) : -scroll.y());
  QImage expected(interior.size(), QImage::Format_RGB32);
  expected.fill(Qt::white);
  for (int y = 0; y < interior.height(); ++y) {
    for (int x = 0; x < interior.width(); ++x) {
      const QPoint onCanvas = interior.topLeft() + QPoint(x, y);
      const QPoint inPicture = onCanvas - shift;
      if (QRect(QPoint(), canvas).contains(onCanvas) && source.rect().contains(inPicture))
        expected.setPixel(x, y, source.pixel(inPicture));
    }
  }
  return expected;
}

// The helpers are public so that tables of cases can call them.
class WindowTest : public testing::Test {
 public:
  void start(QSize screen = {1920, 1080}) {
    fixture.screen.size = screen;
    // A window of an earlier start lets go of its program's records as it closes: it goes
    // before them.
    window.reset();
    program = fixture.makeProgram();
    window = std::make_unique<MainWindow>(*program);
    window->start();
    QDir(fixture.root.path()).mkpath(QStringLiteral("out"));
  }

  template <typename T = QWidget>
  T* control(const char* name) const {
    T* found = window->findChild<T*>(u(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  // Opens the size-type list and clicks an item, as the user does.
  void choosePreset(int index) {
    auto* combo = control<ChoiceCombo>("尺寸类型组合框");
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QRect item = list->visualRect(list->model()->index(index, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  }

  // Types into a box at its end, one key at a time, as the user does.
  void typeInto(const char* name, const char* keys, bool replaceAll = false) {
    auto* box = control<QLineEdit>(name);
    box->setFocus();
    if (replaceAll)
      box->selectAll();
    else
      box->end(false);
    QTest::keyClicks(box, u(keys));
  }

  // Writes the picture as a PNG file and opens it, as the user does.
  const QImage& openPicture(const QImage& picture, const char* name = "source.png") {
    const QString path = fixture.path(u(name));
    EXPECT_TRUE(picture.save(path, "PNG"));
    window->loadPicture(path);
    opened = picture;
    return opened;
  }

  // Puts a picture of one colour into the document and shows it, as a load does.
  void showFilled(QSize size, QRgb colour) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    program->document = {picture, true};
    program->view.scrollFractionX = program->view.scrollFractionY = 0.5;
    window->showPicture();
  }

  // Lets `act` work in the modal window that the next action opens, then leaves that window when
  // `act` has not; a window that does not open fails the test.
  static void whenModalOpens(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
      auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(modal, nullptr) << "no modal window";
      act(*modal);
      if (modal->isVisible()) modal->reject();
    });
  }

  QString out(const QString& name) const { return fixture.path(u("out/") + name); }

  // Saves through the scripted save dialog and returns the decoded file.
  std::optional<QImage> saveAs(const QString& name) {
    fixture.prompter.paths.push_back(out(name));
    window->saveCrop();
    return decodePictureFile(out(name));
  }

  QPoint scrollPositions() const {
    return {program->view.horizontal.enabled ? program->view.horizontal.position : 0,
            program->view.vertical.enabled ? program->view.vertical.position : 0};
  }

  // The crop the opened picture must give, at zoom 1, for the interior the lines show.
  QImage expectedCrop() const {
    const std::optional<QRect> interior = drawnInterior(program->view.viewCanvas);
    EXPECT_TRUE(interior);
    return expectedAtZoomOne(opened, control("可视画板")->size(), scrollPositions(),
                             interior.value_or(QRect()));
  }

  ProgramFixture fixture;
  std::unique_ptr<Program> program;
  std::unique_ptr<MainWindow> window;
  QImage opened;
};

}  // namespace veltrix::test
