// Fuzzes the EXIF reader with the payload of an APP1 segment, as the JPEG decoder hands it over.
#include "codec/picture_decoders.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix;
  const int orientation = picture::exifOrientation(data, size);
  fuzz::check(orientation >= 1 && orientation <= 8, "an orientation from 1 to 8");
  const QSize upright = picture::uprightSize(orientation, 3, 2);
  fuzz::check(upright == QSize(3, 2) || upright == QSize(2, 3),
              "an upright size of the same sides");
  return 0;
}
