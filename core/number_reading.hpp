#pragma once
// Reading numbers from text: the pieces shared by the strict conversions
// (CDbl-like) and by Val's lenient reading.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qv::numbers {

// Hexadecimal (radix 16) or octal (radix 8) digits typed as the runtime types
// them: a value of up to 16 bits is a 16-bit signed number (&HFFFF is -1), up
// to 32 bits a 32-bit signed number (&HFFFFFFFF is -1); nullopt beyond 32 bits.
// The digits must be valid for the radix and not empty.
std::optional<double> radixValue(std::string_view digits, int radix);

// The value of the decimal digits wholeDigits "." fractionDigits times ten to
// the exponent; nullopt when it is too large for a double, 0 when too small.
std::optional<double> decimalValue(bool negative, std::string_view wholeDigits,
                                   std::string_view fractionDigits, int64_t exponent);

// Strict reading: blanks around, an optional sign, digits that may carry the
// group separator between them, the decimal separator, an exponent (E or D,
// either case, optional sign); or &H / &O followed by digits only. nullopt for
// anything else, for an empty text and for a value out of a double's range.
std::optional<double> readStrictNumber(std::string_view text, std::string_view decimalSeparator,
                                       std::string_view groupSeparator);

bool isDigitOf(char c, int radix);
bool isDecimalDigit(char c);

// An exponent's optional sign and digits at text[pos], pos moved past them;
// nullopt (pos unchanged) when no digit follows.
std::optional<int64_t> readExponent(std::string_view text, std::size_t &pos);

} // namespace qv::numbers
