// veltrix-sheet-reader WORKBOOK: reads an .xls or .xlsx, told by its content, and writes its
// sheets and text cells to standard output as the sheet stream (sheets/sheet_stream_format.h).
// The program runs it in a process of its own, capped in memory and time, so that a hostile or
// damaged workbook can only take this process down.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <new>
#include <string>
#include <string_view>

#include "biff_records.h"
#include "read_failure.h"
#include "record_writer.h"
#include "xls_reader.h"
#include "xlsx_reader.h"

namespace {

using namespace veltrix;
using namespace veltrix::sheetreader;

// How the file begins: a compound file (.xls, or an .xlsx saved with a password), a zip (.xlsx),
// a bare BIFF record stream (what some exporters write as .xls, and Excel 4.0 and earlier).
enum class Container { CompoundFile, Zip, BareBiff, Other };

bool startsWithBof(std::string_view bytes) {
  if (bytes.size() < 4) return false;
  const auto type = std::uint16_t(std::uint8_t(bytes[0]) | (std::uint8_t(bytes[1]) << 8));
  return type == biff::kBof || type == biff::kBiff2Bof || type == biff::kBiff3Bof ||
         type == biff::kBiff4Bof;
}

Container containerOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) fail(sheetstream::kExitDamaged);
  char head[8] = {};
  file.read(head, sizeof head);
  const std::string_view bytes(head, std::size_t(file.gcount()));
  if (bytes == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) {
    return Container::CompoundFile;
  }
  // A local file header, or the end record alone of an empty zip.
  if (bytes.substr(0, 4) == "PK\x03\x04" || bytes.substr(0, 4) == "PK\x05\x06") {
    return Container::Zip;
  }
  if (startsWithBof(bytes)) return Container::BareBiff;
  return Container::Other;
}

int read(const std::string& path) {
  const Container container = containerOf(path);
  if (container == Container::Other) return sheetstream::kExitNotWorkbook;
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  RecordWriter out(stdout);
  switch (container) {
    case Container::CompoundFile:
      readXls(path, out);
      break;
    case Container::BareBiff:
      readBareBiff(path, out);
      break;
    default:
      readXlsx(path, out);
      break;
  }
  return out.end() ? sheetstream::kExitRead : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: veltrix-sheet-reader WORKBOOK\n");
    return 2;
  }
  try {
    return read(argv[1]);
  } catch (const ReadFailure& failure) {
    return failure.code;
  } catch (const std::bad_alloc&) {
    return sheetstream::kExitTooLarge;
  }
}
