#pragma once
// Numbers written through a format picture, as the results panel shows them:
//   "0"     a mandatory digit;
//   "#"     an optional digit, writing nothing when there is no digit for it;
//   "."     the decimal mark, written as the local separator, left out when no decimal follows;
//   "E+00"  an exponent with its sign always ("E-00": only a minus) and at least as many
//           digits as zeros;
//   anything else (the spaces) is written as it stands.
// Digits beyond the integer placeholders go to the first one; the minus sign goes just before
// the first digit written. Rounding is half away from zero on the decimal digits.
#include <string>
#include <string_view>

namespace vuv {

std::string formate_nombre(std::string_view image, long double v);

} // namespace vuv
