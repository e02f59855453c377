// Fuzzes the file-name cleaner with any name a person types or a spreadsheet holds: the result
// must stay a name inside its folder and never a hidden file.
#include "fuzz_support.h"
#include "qt_input.h"
#include "save/output_naming.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix;
  const QString name = QString::fromUtf8(fuzz::bytesOf(data, size));
  const QString safe = safeFileName(name);
  fuzz::check(!safe.contains(u'/') && !safe.contains(u'\\'), "no path separator");
  fuzz::check(!safe.contains(QChar(0)), "no NUL");
  fuzz::check(safe != u"." && safe != u"..", "not the folder itself or its parent");
  fuzz::check(!safe.startsWith(u'.'), "not a hidden file");
  return 0;
}
