#pragma once
// Small functions for script authors: an inline conditional, named date
// formats, lenient number reading and the management service's date-time
// text as a date. No state.

#include <cstdint>
#include <string>

#include "core/platform.hpp"
#include "core/variant.hpp"

namespace qv {

class Util {
public:
  explicit Util(Platform platform);

  // truepart when expr reads as true, otherwise falsepart (Null reads as
  // false). No handler.
  Variant IIf(const Variant &expr, const Variant &truepart, const Variant &falsepart);
  // The named format 0 to 4 of inDate in the regional settings, as text;
  // any other format fails with 5. No handler.
  Variant formatDateTime(Date inDate, int32_t format);
  // The runtime's Val. No handler.
  double Val(const std::string &inString);
  // The service's date-time text as a UTC date, "+***" not being a number
  // here. Trims inVar in place (kept even when the call fails); reports
  // failures with "Error translating string to date".
  Date translateStringDate(std::string &inVar);

private:
  Platform platform_;
};

} // namespace qv
