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

  // whenTrue when condition reads as true, otherwise whenFalse (Null reads as
  // false). No handler.
  Variant iif(const Variant &condition, const Variant &whenTrue, const Variant &whenFalse);
  // The named format 0 to 4 of date in the regional settings, as text;
  // any other format fails with 5. No handler.
  Variant formatDateTime(Date date, int32_t format);
  // The runtime's Val. No handler.
  double val(const std::string &text);
  // The service's date-time text as a UTC date, "+***" not being a number
  // here. Trims text in place (kept even when the call fails); reports
  // failures with "Error translating string to date".
  Date translateStringDate(std::string &text);

private:
  Platform platform_;
};

} // namespace qv
