// Fuzzes the GIF decoder alone, without the format sniffing in front of it.
#include "codec/picture_decoders.h"
#include "picture_checks.h"
#include "qt_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix;
  fuzz::checkResult(picture::decodeGif(fuzz::bytesOf(data, size)));
  return 0;
}
