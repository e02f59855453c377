// Building the view: the picture at the zoom on the picture canvas, the visible part of it on
// the back canvas, and the back canvas plus the frame lines on the view canvas. Scrolling and
// frame moves only copy; only a full redraw rescales the picture.
#pragma once

#include "view/frame_lines.h"
#include "view/image_document.h"
#include "view/view_state.h"

namespace veltrix {

// The scaled picture never grows past these, so a zoom step cannot exhaust memory.
inline constexpr int kMaxScaledSide = 16384;
inline constexpr qint64 kMaxScaledPixels = 64'000'000;

// Gives both canvases the size of the view canvas control, white.
void resizeCanvases(ViewState& view, int width, int height);
void clearCanvases(ViewState& view);

// The zoom that fits a picture to the canvas without ever enlarging it: the whole width for a
// picture at least as wide as the canvas in proportion, else the whole height.
double fitZoom(QSize picture, QSize canvas);

// The scaled picture's size at a zoom; never less than a pixel on a side, so no picture is
// ever shrunk to nothing.
QSize scaledSize(QSize picture, double zoom);

void redrawView(ViewState& view, const ImageDocument& document, const FrameLines& frame);

// Fits a new picture to the view, then redraws. fittedCanvas is the picture already scaled to
// the fitted size, as a load that scales while it decodes has it, or null to scale it here.
void showNewPicture(ViewState& view, const ImageDocument& document, const FrameLines& frame,
                    QImage fittedCanvas = {});

// Multiplies the zoom by factor and redraws. A step out that would leave the scaled picture
// less than a pixel on a side, or one in that would make it larger than the bounds, does
// nothing and returns false.
bool zoomView(ViewState& view, const ImageDocument& document, double factor,
              const FrameLines& frame);

// The user moved a scroll bar: shows the picture from the scroll bars' positions.
void scrollView(ViewState& view, const ImageDocument& document, int horizontalPosition,
                int verticalPosition, const FrameLines& frame);

// Makes the marks drawn on the back canvas part of the picture, which becomes the picture as
// displayed, at zoom 1 and scrolled where it was: the view does not change. Without a picture
// canvas the picture stays as it is.
void bakeBackCanvas(ViewState& view, ImageDocument& document, const FrameLines& frame);

// Copies the back canvas onto the view canvas and draws the frame lines on it.
void refreshFrameOverlay(ViewState& view, const ImageDocument& document, const FrameLines& frame);

}  // namespace veltrix
