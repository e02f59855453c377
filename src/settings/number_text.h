// The program's number conventions: numbers read from the start of a text the way VB's Val()
// reads them, and doubles turned into whole numbers by truncation.
#pragma once

#include <QString>

namespace veltrix {

// Leading blanks, an optional sign, digits with at most one '.', then an exponent only when
// digits follow the 'e'; whatever comes after is ignored. No number at all gives 0.
// Examples: " 47.6mm" -> 47.6, ".5" -> 0.5, "1e3" -> 1000, "1e" -> 1, "abc" -> 0.
double leadingNumber(const QString& text);

// Truncation toward zero, clamped to the int range; NaN gives 0.
int truncToInt(double value);

}  // namespace veltrix
