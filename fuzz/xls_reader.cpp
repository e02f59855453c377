// Fuzzes the helper's .xls reader in-process: the compound file, the workbook globals and the
// sheets' records. A failure is a ReadFailure, which the helper's main() turns into its exit code;
// anything else escaping, or a crash, is a fault.
#include <new>

#include "fuzz_support.h"
#include "sheets/helper/read_failure.h"
#include "sheets/helper/record_writer.h"
#include "sheets/helper/xls_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix::sheetreader;
  const std::string path = veltrix::fuzz::inputFile(data, size, ".xls");
  static std::FILE* const nowhere = std::fopen("/dev/null", "wb");
  RecordWriter out(nowhere);
  try {
    readXls(path, out);
    out.end();
  } catch (const ReadFailure&) {
  } catch (const std::bad_alloc&) {
  }
  return 0;
}
