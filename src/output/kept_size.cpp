#include "output/kept_size.h"

#include "output/output_size.h"
#include "output/size_controller.h"
#include "platform/utf8.h"
#include "settings/number_rules.h"
#include "settings/settings_keys.h"

namespace veltrix {

bool restoreKeptSize(SizeController& sizes, const OutputSpec& output, const SettingsStore& store,
                     const QString& section, bool jpg) {
  const auto kept = [&store, &section](const char* key) { return store.read(section, u8(key)); };
  const int width = truncToInt(leadingNumber(kept(kPixelWidthKey)));
  const int height = truncToInt(leadingNumber(kept(kPixelHeightKey)));
  int dpi = truncToInt(leadingNumber(kept(kDpiKey)));
  auto mmWidth = static_cast<float>(leadingNumber(kept(kMillimetreWidthKey)));
  auto mmHeight = static_cast<float>(leadingNumber(kept(kMillimetreHeightKey)));
  if (dpi < 1) {
    dpi = output.dpi;
    mmWidth = pixelsToMm(width, dpi);
    mmHeight = pixelsToMm(height, dpi);
  }
  if (jpg) {
    const QString limit = kept(kJpgSizeKey);
    if (leadingNumber(limit) <= kNumberTolerance)
      store.write(section, u8(kJpgSizeKey), sizes.jpgLimitText());
    else
      sizes.showJpgLimit(limit);
  }
  if (width < 1 || height < 1) return false;
  sizes.selectCustom();
  return sizes.applyOutputSize(width, height, dpi, mmWidth, mmHeight);
}

}  // namespace veltrix
