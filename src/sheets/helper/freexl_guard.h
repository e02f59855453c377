// freexl 1.0.6 trusts the lengths a workbook's records give: a string longer than its record, a
// shared string whose continuation or extra data runs past the next record, a second DIMENSION
// record for a sheet that it cannot hold, a sheet whose records never begin. It then reads past
// its buffers, walks cells it never allocated or loses cells it did. This check walks the
// workbook stream as freexl will and refuses those records.
#pragma once

#include <string_view>

namespace veltrix::sheetreader {

// Fails Damaged where freexl would read outside a record.
void refuseWhatFreexlMisreads(std::string_view stream);

}  // namespace veltrix::sheetreader
