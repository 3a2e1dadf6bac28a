// The status line's number: a double with exactly six decimals.
#pragma once
#include <cstddef>

// Writes value as [-]digits.dddddd into out and answers the length written,
// never more than capacity - 1 characters plus a NUL (nothing when capacity
// is 0). The exact decimal value is first rounded to 17 significant digits
// (to nearest, ties to even), and that digit string is then cut to six
// decimals, a cut-off digit of 5 or more rounding the magnitude up. So an
// exact half rounds away from zero: 0.4140625 gives 0.414063, where the C
// library's "%f" gives 0.414062. A set sign bit gives a minus sign, also for
// a value that rounds to zero. Infinities give "inf" or "-inf", NaN "nan".
size_t FormatFixedSix(double value, char* out, size_t capacity);
