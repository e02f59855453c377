// Fuzzes the reading of the private-profile settings files in GB18030: the program's own
// sections and keys are looked up, and one is written and read back, as the settings store does.
#include <array>

#include "fuzz_support.h"
#include "platform/utf8.h"
#include "qt_input.h"
#include "settings/ini_document.h"
#include "settings/settings_keys.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix;
  const QByteArray bytes = fuzz::bytesOf(data, size);
  IniDocument document = IniDocument::fromBytes(bytes);
  fuzz::check(document.bytes() == bytes, "an unchanged document keeps its bytes");

  constexpr std::array kSections{kBatchSection, kQuickShotSection};
  constexpr std::array kKeys{kNamingRuleKey, kCustomNameKey, kSaveFormatKey, kSaveFolderKey,
                             kPixelWidthKey, kDpiKey,        kJpgSizeKey};
  for (const char* section : kSections) {
    const bool held = document.hasSection(u8(section));
    for (const char* key : kKeys) {
      const QString value = document.value(u8(section), u8(key));
      fuzz::check(held || value.isEmpty(), "no value outside the sections held");
    }
  }

  const QString written = QStringLiteral("12.5");
  document.set(u8(kBatchSection), u8(kPixelWidthKey), written);
  fuzz::check(document.value(u8(kBatchSection), u8(kPixelWidthKey)) == written,
              "a value written reads back");
  fuzz::check(
      IniDocument::fromBytes(document.bytes()).value(u8(kBatchSection), u8(kPixelWidthKey)) ==
          written,
      "a value written reads back from the bytes saved");
  return 0;
}
