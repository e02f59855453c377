// What the sheet reader's tests share: the built helper in place of the installed one, the
// fixtures' folder, and a result's book or failure spelled out for the failure messages.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QtGlobal>
#include <optional>
#include <ostream>
#include <variant>

#include "sheets/workbook_reader.h"

namespace veltrix {

// gtest prints failures by these.
inline const char* failureName(WorkbookFailure failure) {
  switch (failure) {
    case WorkbookFailure::NotWorkbook:
      return "NotWorkbook";
    case WorkbookFailure::Damaged:
      return "Damaged";
    case WorkbookFailure::Encrypted:
      return "Encrypted";
    case WorkbookFailure::TooOld:
      return "TooOld";
    case WorkbookFailure::TooLarge:
      return "TooLarge";
    case WorkbookFailure::Crashed:
      return "Crashed";
    case WorkbookFailure::NoHelper:
      return "NoHelper";
  }
  return "?";
}

inline void PrintTo(WorkbookFailure failure, std::ostream* out) {
  *out << failureName(failure);
}

inline void PrintTo(const WorkbookResult& result, std::ostream* out) {
  if (const auto* failure = std::get_if<WorkbookFailure>(&result)) {
    *out << failureName(*failure);
  } else {
    *out << "a book of " << std::get<SpreadsheetBook>(result).sheets.size() << " sheets";
  }
}

namespace test {

// The failure, or nothing for a book.
inline std::optional<WorkbookFailure> failureOf(const WorkbookResult& result) {
  if (const auto* failure = std::get_if<WorkbookFailure>(&result)) return *failure;
  return std::nullopt;
}

inline QString sheetFixture(const char* name) {
  return QStringLiteral(VELTRIX_SHEET_DATA "/") + QString::fromUtf8(name);
}

// Every test reads through the helper this build made.
class SheetReaderTest : public testing::Test {
 protected:
  void SetUp() override { qputenv("VELTRIX_SHEET_READER", VELTRIX_SHEET_READER_BUILT); }
};

}  // namespace test
}  // namespace veltrix
