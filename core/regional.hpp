#pragma once
// Regional settings: every conversion that depends on the host's locale goes
// through this object. Production passes the host's own; tests pass fixed
// settings.

#include <optional>
#include <string>
#include <string_view>

#include "core/variant.hpp"

namespace qv {

// Named date-time formats of the runtime's FormatDateTime.
enum NamedDateFormat : int {
  kGeneralDate = 0,
  kLongDate = 1,
  kShortDate = 2,
  kLongTime = 3,
  kShortTime = 4,
};

class Regional {
public:
  virtual ~Regional() = default;

  // The runtime's text form of a double: up to 15 significant digits.
  virtual std::string doubleToText(double value) const = 0;
  // The runtime's text form of a date: short date, long time, or both.
  virtual std::string dateToText(Date value) const = 0;
  // FormatDateTime(value, format); a format outside 0 to 4 fails with 5.
  virtual std::string formatDate(Date value, int format) const = 0;
  // FormatNumber(value, decimals): grouped, rounded to decimals places.
  virtual std::string formatNumber(double value, int decimals) const = 0;
  // Strict reading of a text as a number (CDbl); nullopt when it is none.
  virtual std::optional<double> textToNumber(std::string_view text) const = 0;
  // Reading of a text as a date (CDate); nullopt when it is none.
  virtual std::optional<Date> textToDate(std::string_view text) const = 0;
  // Text compare mode: letter case ignored, the locale's order. <0, 0, >0.
  virtual int compareText(std::string_view a, std::string_view b) const = 0;
};

} // namespace qv
