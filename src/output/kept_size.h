// An output size that batch cropping or quick shooting kept in its settings section as the size
// boxes' texts, taken back as a custom size together with its JPG size target.
#pragma once

#include <QString>

#include "output/output_spec.h"
#include "settings/settings_store.h"

namespace veltrix {

class SizeController;

// A size kept without its DPI takes the DPI of now, with the millimetres worked out from the
// pixels. With JPG output a kept JPG target is shown and taken, and a section without one keeps
// the target of now. A kept width or height below one pixel (a damaged file) leaves the size as
// it is; the size goes through the screen's checks as a typed one does. False when the size was
// not taken.
bool restoreKeptSize(SizeController& sizes, const OutputSpec& output, const SettingsStore& store,
                     const QString& section, bool jpg);

}  // namespace veltrix
