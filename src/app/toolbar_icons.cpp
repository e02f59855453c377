// The toolbar pictures: flat vector drawings on a 24 × 24 grid, painted by an icon engine at
// whatever size and device pixel ratio the toolbar asks for.
#include "app/toolbar_icons.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

#include <optional>

namespace veltrix {
namespace {

enum class Glyph {
  Open,
  Save,
  ZoomIn,
  ZoomOut,
  RotateClockwise,
  RotateAnticlockwise,
  Edit,
  Camera,
  Help,
  Home,
};

constexpr QRgb kInk = 0xff334155;
constexpr QRgb kFileBlue = 0xff2563eb;
constexpr QRgb kZoomGreen = 0xff16a34a;
constexpr QRgb kRotateOrange = 0xffea580c;
constexpr QRgb kToolPurple = 0xff7c3aed;
constexpr QRgb kGuideCyan = 0xff0891b2;

struct Colours {
  QColor ink;     // outlines and dark details
  QColor accent;  // the colour of the picture's family
  QColor tint;    // a light fill in the family colour
  QColor paper;   // white areas
};

QRgb familyColour(Glyph glyph) {
  switch (glyph) {
    case Glyph::Open:
    case Glyph::Save:
      return kFileBlue;
    case Glyph::ZoomIn:
    case Glyph::ZoomOut:
      return kZoomGreen;
    case Glyph::RotateClockwise:
    case Glyph::RotateAnticlockwise:
      return kRotateOrange;
    case Glyph::Edit:
    case Glyph::Camera:
      return kToolPurple;
    case Glyph::Help:
    case Glyph::Home:
      return kGuideCyan;
  }
  return kInk;
}

QColor towardsWhite(QRgb colour, qreal share) {
  const auto blend = [share](int channel) { return qRound(channel + (255 - channel) * share); };
  return QColor(blend(qRed(colour)), blend(qGreen(colour)), blend(qBlue(colour)));
}

// A disabled picture keeps its shapes but loses its colour and most of its contrast.
QColor faded(const QColor& colour) {
  const int grey = 128 + qGray(colour.rgb()) / 2;
  return QColor(grey, grey, grey);
}

Colours coloursFor(Glyph glyph, QIcon::Mode mode) {
  const QRgb accent = familyColour(glyph);
  Colours colours{QColor(kInk), QColor(accent), towardsWhite(accent, 0.8), QColor(Qt::white)};
  if (mode == QIcon::Disabled)
    colours = {faded(colours.ink), faded(colours.accent), faded(colours.tint),
               faded(colours.paper)};
  return colours;
}

QPen stroke(const QColor& colour, qreal width = 2.0) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawOutlined(QPainter& p, const QPainterPath& path, const QColor& fill, const Colours& c,
                  qreal width = 2.0) {
  p.setPen(stroke(c.ink, width));
  p.setBrush(fill);
  p.drawPath(path);
}

QPainterPath polygonPath(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

QPainterPath roundedRectPath(const QRectF& rect, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(rect, radius, radius);
  return path;
}

QPainterPath circlePath(QPointF centre, qreal radius) {
  QPainterPath path;
  path.addEllipse(centre, radius, radius);
  return path;
}

// A landscape (a hill and a sun) inside `area`, the mark of a photo.
void drawLandscape(QPainter& p, const QRectF& area, const Colours& c) {
  const qreal x = area.left(), y = area.top(), w = area.width(), h = area.height();
  p.setPen(Qt::NoPen);
  p.setBrush(c.accent);
  p.drawPolygon(QPolygonF({QPointF(x, y + h), QPointF(x + w * 0.4, y + h * 0.35),
                           QPointF(x + w * 0.65, y + h * 0.7), QPointF(x + w * 0.8, y + h * 0.5),
                           QPointF(x + w, y + h)}));
  p.drawEllipse(QPointF(x + w * 0.78, y + h * 0.2), w * 0.11, w * 0.11);
}

void drawOpen(QPainter& p, const Colours& c) {
  drawOutlined(p, polygonPath({{3, 5}, {9, 5}, {11, 7}, {20, 7}, {20, 19}, {3, 19}}), c.tint, c);
  const QRectF photo(7.5, 3.5, 9, 8);
  drawOutlined(p, roundedRectPath(photo, 0.5), c.paper, c, 1);
  drawLandscape(p, photo.adjusted(1.5, 1.5, -1.5, -1.5), c);
  drawOutlined(p, polygonPath({{3, 19}, {6, 11}, {22, 11}, {19.5, 19}}), c.accent, c);
}

void drawSave(QPainter& p, const Colours& c) {
  const QRectF picture(2, 2, 13, 11);
  drawOutlined(p, roundedRectPath(picture, 1), c.paper, c);
  drawLandscape(p, picture.adjusted(2, 2, -2, -2), c);
  drawOutlined(p, polygonPath({{10, 10}, {19, 10}, {22, 13}, {22, 22}, {10, 22}}), c.accent, c);
  p.setPen(Qt::NoPen);
  p.setBrush(c.paper);
  p.drawRect(QRectF(13, 11, 5, 3));
  p.drawRect(QRectF(12.5, 16.5, 7, 4.5));
}

void drawMagnifier(QPainter& p, const Colours& c, bool plus) {
  p.setPen(stroke(c.ink, 3.5));
  p.drawLine(QPointF(15, 15), QPointF(20.5, 20.5));
  drawOutlined(p, circlePath(QPointF(10, 10), 7), c.tint, c);
  p.setPen(stroke(c.accent, 2.2));
  p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
  if (plus) p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
}

// A picture with an arrow turning clockwise round it; the anticlockwise turn is its mirror.
void drawRotate(QPainter& p, const Colours& c, bool clockwise) {
  if (!clockwise) {
    p.translate(kToolbarIconSize, 0);
    p.scale(-1, 1);
  }
  drawOutlined(p, roundedRectPath(QRectF(8, 9, 8, 6), 1), c.tint, c);

  const QPointF centre(12, 12);
  const qreal radius = 8.5, startDegrees = 140, sweepDegrees = 215;
  const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  // Screen angles run clockwise with y pointing down; QPainterPath's run the other way.
  QPainterPath arc;
  arc.arcMoveTo(circle, -startDegrees);
  arc.arcTo(circle, -startDegrees, -sweepDegrees);
  p.setPen(stroke(c.accent));
  p.setBrush(Qt::NoBrush);
  p.drawPath(arc);

  const qreal end = qDegreesToRadians(startDegrees + sweepDegrees);
  const QPointF outward(qCos(end), qSin(end));
  const QPointF along(-qSin(end), qCos(end));
  const QPointF tip = arc.currentPosition();
  p.setPen(stroke(c.accent, 1));
  p.setBrush(c.accent);
  p.drawPolygon(QPolygonF({tip + along * 3.5, tip + outward * 3.2, tip - outward * 3.2}));
}

void drawEdit(QPainter& p, const Colours& c) {
  p.translate(12, 12);
  p.rotate(-45);
  const qreal back = 10, half = 3, woodStart = -5.5, tipX = -10.5;
  drawOutlined(p, polygonPath({{tipX, 0}, {woodStart, -half}, {woodStart, half}}), c.paper, c);
  p.setPen(Qt::NoPen);
  p.setBrush(c.ink);
  p.drawPolygon(QPolygonF({QPointF(tipX, 0), QPointF(tipX + 2.5, -1.4), QPointF(tipX + 2.5, 1.4)}));
  drawOutlined(p, roundedRectPath(QRectF(woodStart, -half, back - woodStart, 2 * half), 0.5),
               c.accent, c);
  drawOutlined(p, roundedRectPath(QRectF(back - 3.5, -half, 3.5, 2 * half), 0.8), c.tint, c);
}

void drawCamera(QPainter& p, const Colours& c) {
  drawOutlined(p, polygonPath({{8, 7}, {9.5, 4}, {14.5, 4}, {16, 7}}), c.tint, c);
  drawOutlined(p, roundedRectPath(QRectF(2, 7, 20, 13), 2), c.accent, c);
  drawOutlined(p, circlePath(QPointF(12, 13.5), 4.5), c.paper, c);
  p.setPen(Qt::NoPen);
  p.setBrush(c.tint);
  p.drawEllipse(QPointF(12, 13.5), 2, 2);
  p.setBrush(c.paper);
  p.drawRoundedRect(QRectF(17, 9, 2.5, 1.6), 0.5, 0.5);
}

void drawHelp(QPainter& p, const Colours& c) {
  drawOutlined(p, circlePath(QPointF(12, 12), 10), c.accent, c);
  const QRectF bend(9, 6, 6, 6);
  QPainterPath mark;
  mark.arcMoveTo(bend, 160);
  mark.arcTo(bend, 160, -230);
  mark.quadTo(QPointF(12, 12.3), QPointF(12, 14));
  p.setPen(stroke(c.paper, 2.2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(mark);
  p.setPen(Qt::NoPen);
  p.setBrush(c.paper);
  p.drawEllipse(QPointF(12, 17.3), 1.4, 1.4);
}

void drawHome(QPainter& p, const Colours& c) {
  drawOutlined(p, roundedRectPath(QRectF(5, 10, 14, 11), 1), c.tint, c);
  drawOutlined(p, polygonPath({{2, 11.5}, {12, 3}, {22, 11.5}}), c.accent, c);
  drawOutlined(p, roundedRectPath(QRectF(10, 14.5, 4, 6.5), 0.5), c.accent, c);
}

void drawGlyph(QPainter& p, Glyph glyph, const Colours& c) {
  switch (glyph) {
    case Glyph::Open:
      return drawOpen(p, c);
    case Glyph::Save:
      return drawSave(p, c);
    case Glyph::ZoomIn:
      return drawMagnifier(p, c, true);
    case Glyph::ZoomOut:
      return drawMagnifier(p, c, false);
    case Glyph::RotateClockwise:
      return drawRotate(p, c, true);
    case Glyph::RotateAnticlockwise:
      return drawRotate(p, c, false);
    case Glyph::Edit:
      return drawEdit(p, c);
    case Glyph::Camera:
      return drawCamera(p, c);
    case Glyph::Help:
      return drawHelp(p, c);
    case Glyph::Home:
      return drawHome(p, c);
  }
}

class ToolbarIconEngine : public QIconEngine {
 public:
  explicit ToolbarIconEngine(Glyph glyph) : glyph_(glyph) {}

  // Draws into the largest centred square of `rect`; the painter's device takes care of the
  // screen's pixel ratio, so the drawing stays sharp.
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    const qreal side = qMin(rect.width(), rect.height());
    if (side <= 0) return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2);
    painter->scale(side / kToolbarIconSize, side / kToolbarIconSize);
    drawGlyph(*painter, glyph_, coloursFor(glyph_, mode));
    painter->restore();
  }

  // `size` is in device pixels: QIcon::pixmap() multiplies by the pixel ratio before asking and
  // marks the result with that ratio afterwards.
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    if (size.isEmpty()) return QPixmap();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(&painter, image.rect(), mode, state);
    painter.end();
    return QPixmap::fromImage(image);
  }

  QIconEngine* clone() const override { return new ToolbarIconEngine(glyph_); }
  QString key() const override { return QStringLiteral("veltrix-toolbar"); }

 private:
  Glyph glyph_;
};

std::optional<Glyph> glyphForSlot(int slot) {
  switch (slot) {
    case 1:
      return Glyph::Open;
    case 2:
      return Glyph::Save;
    case 4:
      return Glyph::ZoomIn;
    case 5:
      return Glyph::ZoomOut;
    case 6:
      return Glyph::RotateClockwise;
    case 7:
      return Glyph::RotateAnticlockwise;
    case 8:
      return Glyph::Edit;
    case 10:
      return Glyph::Camera;
    case 11:
      return Glyph::Help;
    case 12:
      return Glyph::Home;
    default:
      return std::nullopt;
  }
}

}  // namespace

QIcon toolbarIcon(int slot) {
  const std::optional<Glyph> glyph = glyphForSlot(slot);
  return glyph ? QIcon(new ToolbarIconEngine(*glyph)) : QIcon();
}

}  // namespace veltrix
