#pragma once
// Numbers as text the way the runtime writes them, with the separators of a
// regional style. Both forms work on the value rounded to 15 significant
// digits, as the runtime does.

#include <string>
#include <string_view>

namespace qv::numbers {

// The general form: up to 15 significant digits without trailing zeros, in
// exponent form ("1E+15", "1.5E-07") when the decimal exponent is below -4 or
// 15 and above, as C's %G with 15 digits.
std::string generalText(double value, std::string_view decimalSeparator);

// Fixed form with decimals digits after the separator, rounded half away
// from zero, the whole part grouped in threes, always a leading zero, "-"
// before a negative value (none when it rounds to zero).
std::string fixedText(double value, int decimals, std::string_view decimalSeparator,
                      std::string_view groupSeparator);

} // namespace qv::numbers
