// The editing tools' speed on a 1,000 × 1,000 view: one step of a pen stroke as the mouse moves,
// and the bake that makes the marks part of the picture beside a redraw of the same view, runs
// alternated. Prints one "name: value" line a figure.
#include <QGuiApplication>
#include <QRandomGenerator>
#include <cstdio>
#include <vector>

#include "paired_runs.h"
#include "tools/pen_tool.h"
#include "view/view_render.h"

namespace {

using namespace veltrix;

const FrameLines kFrame{QRect(420, 395, 160, 210), QColor(255, 255, 0)};

class QuietHost final : public ToolHost {
 public:
  FrameLines frameLines() const override { return kFrame; }
  void showView() override {}
  void setCanvasCursor(const QCursor&) override {}
  void markPointer(std::function<void(QPainter&)>) override {}
  void focusView() override {}
  void setHint(const QString&) override {}
  void releaseNavigationKeys() override {}
  void navigationKeysBack() override {}
};

QImage photo(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  QRandomGenerator random(3);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) row[x] = 0xFF000000u | random.generate();
  }
  return image;
}

// A 2,000 × 1,500 photo shown at half size: the view is filled across, with margins above and
// below.
void show(ImageDocument& document, ViewState& view, const QImage& picture) {
  document = {picture, true};
  resizeCanvases(view, 1000, 1000);
  view.zoom = 1000.0 / picture.width();
  redrawView(view, document, kFrame);
}

double strokeSegmentMs(const QImage& picture) {
  ImageDocument document;
  ViewState view;
  show(document, view, picture);
  EditTools edit;
  edit.penActive = true;
  edit.penWidth = 5;
  edit.colour = Qt::red;
  QuietHost host;
  PenTool pen({edit, view, document, host});
  pen.press({100, 400});
  std::vector<double> steps;
  for (int i = 1; i <= 400; ++i) {
    const QPoint to(100 + (i * 7) % 800, 400 + (i * 13) % 300);
    steps.push_back(bench::secondsOf([&] { pen.move(to); }) * 1000.0);
  }
  return bench::median(steps);
}

double bakeVsRedraw(const QImage& picture) {
  std::vector<double> ratios;
  for (int i = 0; i < 15; ++i) {
    ImageDocument document;
    ViewState view;
    show(document, view, picture);
    const double bake = bench::secondsOf([&] { bakeBackCanvas(view, document, kFrame); });
    show(document, view, picture);
    const double redraw = bench::secondsOf([&] { redrawView(view, document, kFrame); });
    ratios.push_back(bake / redraw);
  }
  return bench::median(ratios);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QImage picture = photo(2000, 1500);
  std::printf("stroke_segment_ms: %.3f\n", strokeSegmentMs(picture));
  std::printf("bake_vs_redraw: %.3f\n", bakeVsRedraw(picture));
  return 0;
}
