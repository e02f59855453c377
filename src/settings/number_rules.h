// The program's number conventions, in one place: numbers read from the start of a text the way
// VB's Val() reads them, doubles turned into whole numbers by truncation, rounding half away from
// zero, the texts numbers are shown as, and the tolerance of comparisons.
#pragma once

#include <QString>

namespace veltrix {

// Floating-point values closer than this are taken as equal; a value within it of 0 as zero.
inline constexpr double kNumberTolerance = 1e-7;

// Leading blanks, an optional sign, digits with at most one '.', then an exponent only when
// digits follow the 'e'; whatever comes after is ignored. No number at all gives 0.
// Examples: " 47.6mm" -> 47.6, ".5" -> 0.5, "1e3" -> 1000, "1e" -> 1, "abc" -> 0.
double leadingNumber(const QString& text);

// Truncation toward zero, clamped to the int range; NaN gives 0.
int truncToInt(double value);

// The leading whole number of a text once every space is removed; 0 when there is none.
int integerPrefix(const QString& text);

// Half away from zero, with 1e-12 added to the magnitude so that a value a hair below a half
// from floating-point representation still rounds up.
double roundHalfAway(double value);

QString formatFloat(float value);    // "%.6g": 25.4 shows as "25.4", 33.0 as "33"
QString formatDouble(double value);  // "%.13g"

}  // namespace veltrix
