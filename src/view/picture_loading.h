// A picture file becoming the current picture: which dropped files are taken, and the load
// that replaces the document and shows it fitted to the view.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "codec/image_codec.h"
#include "view/frame_lines.h"
#include "view/image_document.h"
#include "view/view_state.h"

namespace veltrix {

// The lower-cased text after the last "." of the whole path must be bmp, jpg, jpeg, gif or
// png; a path without "." is its own extension and so refused.
bool hasPictureExtension(const QString& path);

// What a drop asks for: the one path to load, or the message that refuses the drop.
struct DropDecision {
  QString path;     // empty when refused
  QString refusal;  // the message to show when refused
};
DropDecision decideDrop(const QStringList& paths);

// A picture file decoded and, as a load does it, scaled to fit a canvas of the given size while
// it decodes: ready to be shown, or the reason it gives no picture. Runs on any thread.
struct LoadedPicture {
  DecodeResult decoded;
  QImage fitted;    // null when the picture is shown unscaled or the scaler needs it whole
  QSize fittedFor;  // the canvas size it was fitted to
};
LoadedPicture decodeForView(const QString& path, QSize canvas);

// Makes a decoded picture the current one and shows it fitted, as loadPictureFile does; a
// failure changes nothing and comes back.
std::optional<DecodeFailure> showLoadedPicture(ImageDocument& document, ViewState& view,
                                               LoadedPicture loaded, const FrameLines& frame);

// Decodes the file first. A file that does not decode changes nothing at all, neither the
// document nor the view, and the failure says why; a picture that decodes replaces the old one
// and is shown centred and fitted without enlarging, scaled to the view while it decodes. The
// frame keeps its place and size either way.
std::optional<DecodeFailure> loadPictureFile(ImageDocument& document, ViewState& view,
                                             const QString& path, const FrameLines& frame);

// Tells the user why the file at path gave no picture: not a picture this program reads,
// unreadable, damaged, cut short, too large (with its size and the limits), or more than the
// memory left can hold.
QString loadFailureMessage(const DecodeFailure& failure, const QString& path);

}  // namespace veltrix
