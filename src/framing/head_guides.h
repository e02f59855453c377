// Where a head belongs in a standard picture, and the dashed guides that show it inside the
// capture frame. The guides are painted on the view's widget only, never into a picture.
#pragma once

#include <QColor>
#include <QRect>
#include <optional>

class QPainter;

namespace veltrix {

// Rows or columns from..to of the output picture, both inside.
struct Band {
  int from = 0;
  int to = 0;
  friend bool operator==(const Band&, const Band&) = default;
};

// In the pixels of the output picture, its top-left corner at 0, 0.
struct HeadGuides {
  Band crown;                     // where the top of the hair must be
  std::optional<int> eyeLine;     // the eyes at this row or above it
  std::optional<Band> chin;       // where the chin must be
  std::optional<Band> faceWidth;  // how wide the face may be, centred on the centre line
  int centre = 0;                 // the vertical centre line's column
  friend bool operator==(const HeadGuides&, const HeadGuides&) = default;
};

// The ID-card standard for 358 x 441 and the passport standard for 390 x 567 in their own
// pixels; any other size asks for a centred head 60-75 % of the height, its crown 4-8 % down.
HeadGuides headGuides(int width, int height);

// Stands out against the frame's colour, as the frame stands out against the photo.
QColor guideColour(const QColor& frameColour);

// Thin dashed lines inside the frame's interior, which holds the output picture one to one.
void paintHeadGuides(QPainter& painter, const QRect& interior, const HeadGuides& guides,
                     const QColor& colour);

}  // namespace veltrix
