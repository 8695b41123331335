#pragma once
// Number <-> text building blocks under the text routines: strict parsing of a number
// shape, conversion without the C locale, and the fixed / general writers.
#include <optional>
#include <string>
#include <string_view>

namespace vuv::nombres {

// Parses [sign] digits [sep digits] [(E|e) [sign] digits] with at least one mantissa digit.
// `exposant` allows the exponent part; `e_minuscule` allows a small e. Returns nothing when
// the text is not entirely such a number. An exponent too large gives nothing as well
// (overflow); one too small gives 0.
std::optional<long double> lit(std::string_view t, char sep, bool exposant, bool e_minuscule);

// Fixed notation with `decimales` decimals, rounded once to at most `precision` significant
// digits (2..18); when the integer part needs more digits, the general scientific form.
// A value that rounds to zero has no sign. `sep` is written as the decimal mark.
std::string fixe(long double v, int precision, int decimales, char sep);

// The shortest general form with up to `precision` significant digits: fixed unless the
// exponent is large or small, then "1.5E20" / "1E-7" (no '+', no leading zeros).
std::string general(long double v, int precision, char sep);

} // namespace vuv::nombres
