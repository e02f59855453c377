#include "xls_reader.h"

#include <freexl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "biff_cells.h"
#include "compound_file.h"
#include "freexl_guard.h"
#include "number_text.h"
#include "plain_compound_file.h"
#include "read_failure.h"
#include "record_writer.h"
#include "sheets/sheet_stream_format.h"
#include "utf8.h"

namespace veltrix::sheetreader {

namespace {

constexpr std::streamoff kMaxFileSize = 256 << 20;

std::string wholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) fail(sheetstream::kExitDamaged);
  if (file.tellg() > kMaxFileSize) fail(sheetstream::kExitTooLarge);
  file.seekg(0);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void check(int status) {
  if (status == FREEXL_OK) return;
  fail(status == FREEXL_INSUFFICIENT_MEMORY ? sheetstream::kExitTooLarge
                                            : sheetstream::kExitDamaged);
}

// A file of this process's own in the temporary folder, removed when it goes. A temporary
// folder without room for it is one more limit the workbook is beyond.
class ScratchFile {
 public:
  explicit ScratchFile(const std::string& bytes) {
    std::error_code unknown;
    std::filesystem::path folder = std::filesystem::temp_directory_path(unknown);
    if (unknown) folder = "/tmp";
    std::string pattern = (folder / "veltrix-xls-XXXXXX").string();
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) fail(sheetstream::kExitTooLarge);
    path_ = pattern;
    std::FILE* file = fdopen(descriptor, "wb");
    if (!file) close(descriptor);
    const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if ((file && std::fclose(file) != 0) || !written) {
      std::remove(path_.c_str());
      fail(sheetstream::kExitTooLarge);
    }
  }
  ~ScratchFile() { remove(); }
  void remove() const { std::remove(path_.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class FreexlBook {
 public:
  explicit FreexlBook(const std::string& path) { check(freexl_open(path.c_str(), &handle_)); }
  ~FreexlBook() { freexl_close(handle_); }
  FreexlBook(const FreexlBook&) = delete;
  FreexlBook& operator=(const FreexlBook&) = delete;
  const void* handle() const { return handle_; }

 private:
  const void* handle_ = nullptr;
};

// freexl counts either every sheet or only the worksheets; the scan's sheets are matched to
// whichever it counted, and left unused when neither fits.
std::vector<const BiffSheet*> matchSheets(const std::vector<BiffSheet>& scanned, unsigned count) {
  std::vector<const BiffSheet*> matched;
  const bool all = scanned.size() == count;
  for (const BiffSheet& sheet : scanned) {
    if (all || sheet.worksheet) matched.push_back(&sheet);
  }
  if (matched.size() != count) matched.assign(count, nullptr);
  return matched;
}

// freexl's value as the scan corrects it: a boolean or an error is no number, and a cell
// freexl finds empty may hold a formula's cached text. scanned is null for a sheet the scan's
// sheets could not be matched to.
std::string cellText(const FreeXL_CellValue& value, const BiffSheet* scanned, std::uint64_t key) {
  switch (value.type) {
    case FREEXL_CELL_NULL:
      if (scanned) {
        const auto formula = scanned->formulaTexts.find(key);
        if (formula != scanned->formulaTexts.end()) return formula->second;
      }
      return {};
    case FREEXL_CELL_INT:
      if (scanned && scanned->booleansAndErrors.count(key)) return {};
      return std::to_string(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
      return generalNumberText(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
      return value.value.text_value ? repairedUtf8(value.value.text_value) : std::string();
    default:  // dates, times
      return {};
  }
}

}  // namespace

void readXls(const std::string& path, RecordWriter& out) {
  // The container goes before the copy is laid out: no more than two of the three are held
  // at once.
  const char* name = nullptr;
  std::string stream;
  {
    const CompoundFile file(wholeFile(path));
    if (file.has("EncryptedPackage")) fail(sheetstream::kExitEncrypted);
    name = file.has("Workbook") ? "Workbook" : file.has("Book") ? "Book" : nullptr;
    if (!name) fail(sheetstream::kExitNotWorkbook);
    stream = file.stream(name);
  }
  const std::vector<BiffSheet> scanned = scanBiffSheets(stream);
  refuseWhatFreexlMisreads(stream);

  // freexl reads the workbook stream from a container laid out afresh: ours has read the
  // container as it came, and freexl's own reading of one does not survive damage.
  const ScratchFile copy(plainCompoundFile(name, stream));
  stream = {};
  const FreexlBook book(copy.path());
  // freexl keeps the file open: its name can go at once, so that a helper stopped by its time
  // limit leaves no copy behind.
  copy.remove();
  unsigned info = 0;
  check(freexl_get_info(book.handle(), FREEXL_BIFF_PASSWORD, &info));
  if (info == FREEXL_BIFF_OBFUSCATED) fail(sheetstream::kExitEncrypted);
  unsigned count = 0;
  check(freexl_get_info(book.handle(), FREEXL_BIFF_SHEET_COUNT, &count));
  const std::vector<const BiffSheet*> sheets = matchSheets(scanned, count);

  for (unsigned index = 0; index < count; ++index) {
    const char* name = nullptr;
    check(freexl_get_worksheet_name(book.handle(), static_cast<unsigned short>(index), &name));
    check(freexl_select_active_worksheet(book.handle(), static_cast<unsigned short>(index)));
    unsigned rows = 0;
    unsigned short columns = 0;
    check(freexl_worksheet_dimensions(book.handle(), &rows, &columns));
    if (rows > sheetstream::kMaxRows || columns > sheetstream::kMaxColumns) {
      fail(sheetstream::kExitDamaged);
    }
    out.sheet(name ? repairedUtf8(name) : std::string());
    for (unsigned row = 0; row < rows; ++row) {
      for (unsigned short column = 0; column < columns; ++column) {
        FreeXL_CellValue value;
        check(freexl_get_cell_value(book.handle(), row, column, &value));
        out.cell(row, column, cellText(value, sheets[index], cellKey(row, column)));
      }
    }
  }
}

}  // namespace veltrix::sheetreader
