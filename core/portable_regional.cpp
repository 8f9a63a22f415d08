#include "core/portable_regional.hpp"

#include "core/automation_error.hpp"
#include "core/caseless_compare.hpp"
#include "core/convert.hpp"
#include "core/date_pattern.hpp"
#include "core/date_text_reading.hpp"
#include "core/number_formatting.hpp"
#include "core/number_reading.hpp"

namespace qv {

namespace {

bool isMidnight(const DateParts &parts) { return parts.hour == 0 && parts.minute == 0 && parts.second == 0; }

bool isZeroDay(const DateParts &parts) { return parts.year == 1899 && parts.month == 12 && parts.day == 30; }

} // namespace

PortableRegional::PortableRegional(RegionalSettings settings) : settings_(std::move(settings)) {}

// Built by designated initializers: assigning short literals to the members
// trips a false -Wrestrict of g++ 12 at -O3.
RegionalSettings PortableRegional::englishSettings() {
  return RegionalSettings{
      .decimalSeparator = ".",
      .groupSeparator = ",",
      .shortDatePattern = "M/d/yyyy",
      .longDatePattern = "dddd, MMMM d, yyyy",
      .longTimePattern = "h:mm:ss tt",
      .shortTimePattern = "HH:mm",
      .amDesignator = "AM",
      .pmDesignator = "PM",
      .monthNames = {"January", "February", "March", "April", "May", "June", "July", "August", "September",
                     "October", "November", "December"},
      .abbreviatedMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov",
                                "Dec"},
      .dayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
      .abbreviatedDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
  };
}

RegionalSettings PortableRegional::europeanSettings() {
  return RegionalSettings{
      .decimalSeparator = ",",
      .groupSeparator = ".",
      .shortDatePattern = "dd.MM.yyyy",
      .longDatePattern = "dddd, d. MMMM yyyy",
      .longTimePattern = "HH:mm:ss",
      .shortTimePattern = "HH:mm",
      .amDesignator = "",
      .pmDesignator = "",
      .monthNames = {"Januar", "Februar", "M\xC3\xA4rz", "April", "Mai", "Juni", "Juli", "August",
                     "September", "Oktober", "November", "Dezember"},
      .abbreviatedMonthNames = {"Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt",
                                "Nov", "Dez"},
      .dayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
      .abbreviatedDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
  };
}

std::shared_ptr<const PortableRegional> PortableRegional::english() {
  static const auto style = std::make_shared<const PortableRegional>(englishSettings());
  return style;
}

std::shared_ptr<const PortableRegional> PortableRegional::european() {
  static const auto style = std::make_shared<const PortableRegional>(europeanSettings());
  return style;
}

std::string PortableRegional::doubleToText(double value) const {
  return numbers::generalText(value, settings_.decimalSeparator);
}

std::string PortableRegional::dateToText(Date value) const {
  DateParts parts = splitDate(value);
  if (isZeroDay(parts)) return formatDatePattern(parts, settings_.longTimePattern, settings_);
  if (isMidnight(parts)) return formatDatePattern(parts, settings_.shortDatePattern, settings_);
  std::string text = formatDatePattern(parts, settings_.shortDatePattern, settings_);
  text.push_back(' ');
  text.append(formatDatePattern(parts, settings_.longTimePattern, settings_));
  return text;
}

std::string PortableRegional::formatDate(Date value, int format) const {
  switch (format) {
  case kGeneralDate: return dateToText(value);
  case kLongDate: return formatDatePattern(splitDate(value), settings_.longDatePattern, settings_);
  case kShortDate: return formatDatePattern(splitDate(value), settings_.shortDatePattern, settings_);
  case kLongTime: return formatDatePattern(splitDate(value), settings_.longTimePattern, settings_);
  case kShortTime: return formatDatePattern(splitDate(value), settings_.shortTimePattern, settings_);
  default: throwRuntimeError(kInvalidCall);
  }
}

std::string PortableRegional::formatNumber(double value, int decimals) const {
  if (decimals == -1) decimals = 2;
  if (decimals < 0 || decimals > 99) throwRuntimeError(kInvalidCall);
  return numbers::fixedText(value, decimals, settings_.decimalSeparator, settings_.groupSeparator);
}

std::optional<double> PortableRegional::textToNumber(std::string_view text) const {
  return numbers::readStrictNumber(text, settings_.decimalSeparator, settings_.groupSeparator);
}

std::optional<Date> PortableRegional::textToDate(std::string_view text) const {
  return readDateText(text, settings_);
}

int PortableRegional::compareText(std::string_view a, std::string_view b) const {
  return compareCaseless(a, b);
}

} // namespace qv
