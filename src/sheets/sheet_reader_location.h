// Where the program finds its helper veltrix-sheet-reader.
#pragma once

#include <QString>

namespace veltrix {

// The environment variable VELTRIX_SHEET_READER when set (tests and unusual installs), else
// veltrix-sheet-reader beside the running program.
QString sheetReaderPath();

}  // namespace veltrix
