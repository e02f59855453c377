// Fuzzes the typing rule of the numeric size boxes: a start text, then keys typed one by one at
// a caret and selection the input moves, as a person would. The caret must stay in the text.
#include "output/numeric_key_filter.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veltrix;
  NumericEdit edit;
  // The input is read as pairs: a key (of the characters that matter, and a few that do not),
  // then where the caret and the selection are before it is typed.
  const QString keys = QStringLiteral("0123456789.\b-e ，０");
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const QChar key = keys[data[i] % keys.size()];
    const int caret = data[i + 1] % (edit.text.size() + 2) - 1;
    const int selection = (data[i + 1] >> 4) % 4;
    edit = filterNumericKey(edit.text, caret, selection, key);
    fuzz::check(edit.caret >= 0 && edit.caret <= edit.text.size(), "the caret stays in the text");
    fuzz::check(edit.text.size() <= 2 * static_cast<qsizetype>(size) + 2,
                "a key adds at most two characters");
  }
  return 0;
}
