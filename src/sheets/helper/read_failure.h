// How a read gives up: thrown anywhere below main(), which exits with the failure's code.
#pragma once

#include "sheets/sheet_stream_format.h"

namespace veltrix::sheetreader {

struct ReadFailure {
  sheetstream::ExitCode code;
};

[[noreturn]] inline void fail(sheetstream::ExitCode code) {
  throw ReadFailure{code};
}

}  // namespace veltrix::sheetreader
