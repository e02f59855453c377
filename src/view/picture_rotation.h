// Turning the current picture by a quarter turn in memory: an exact permutation of its pixels,
// shown again at the zoom and scroll places the user had.
#pragma once

#include <QImage>

#include "view/frame_lines.h"
#include "view/image_document.h"
#include "view/view_state.h"

namespace veltrix {

// The picture turned by +90 (clockwise on screen) or -90 degrees; any other angle, or memory
// that runs out, gives a null image.
QImage turnQuarter(const QImage& picture, int degrees);

// Turns the current picture and redraws the view without refitting it. False, with the picture
// and the view as they were, when memory runs out; nothing happens without a picture.
bool rotatePicture(ImageDocument& document, ViewState& view, int degrees, const FrameLines& frame);

}  // namespace veltrix
