// Strings in a BIFF workbook stream. BIFF8 strings are UTF-16 or one byte per character, and a
// long one goes on in the CONTINUE records after its own; BIFF5 strings are bytes in the
// workbook's code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "biff_records.h"
#include "utf8.h"

namespace veltrix::sheetreader {

// A record and the CONTINUE records after it, read as one run of bytes. Every read fails
// Damaged where the run ends before it does.
class ContinuedRecords {
 public:
  ContinuedRecords(std::string_view stream, const biff::Record& record);

  std::uint8_t byte();
  std::uint16_t u16();
  std::uint32_t u32();
  void skip(std::size_t count);
  // True at the end of the last record of the run.
  bool atEnd();

  // The characters of a BIFF8 string: where a record ends among them, the next one begins with
  // a byte that gives their width anew.
  void characters(std::size_t count, bool twoBytes, std::string& out, std::size_t keep);

 private:
  bool nextRecord();

  std::string_view stream_;
  std::string_view data_;
  std::size_t next_;
};

// What the helper keeps of a text: a file name holds no more, and a hostile workbook's long
// strings cost no memory.
inline constexpr std::size_t kKeptCharacters = 255;

// A BIFF8 string with a count of countBytes (2, or 1 for sheet names), its flags, and its
// rich-text runs and phonetic data, which are stepped over.
std::string biff8String(ContinuedRecords& in, int countBytes = 2);

// A BIFF5 string at `at` in a record: a count of countBytes, then bytes in the code page; never
// continued.
std::string biff5String(std::string_view payload, std::size_t at, int countBytes,
                        const CodePage& codePage);

}  // namespace veltrix::sheetreader
