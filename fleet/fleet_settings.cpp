#include "fleet/fleet_settings.hpp"

#include <charconv>
#include <cmath>

#include "core/automation_error.hpp"
#include "core/convert.hpp"

namespace qv::fleet {
namespace {

std::string shown(const Variant &value, const Regional &regional) {
  switch (value.kind()) {
  case VarKind::Empty: return "Empty";
  case VarKind::Null: return "Null";
  case VarKind::Object: return "an object";
  case VarKind::Array: return "an array";
  case VarKind::Text: return "\"" + value.text() + "\"";
  default: return toText(value, regional);
  }
}

// The value as a number, or 13 naming the setting. Only numbers and text
// that reads as one are numbers here: Empty would otherwise read as 0, which
// for Timeout means no bound at all.
double numberOf(const char *setting, const Variant &value, const Regional &regional) {
  const VarKind kind = value.kind();
  if (value.isNumeric() || kind == VarKind::Text) {
    try {
      double number = toDouble(value, regional);
      if (!std::isnan(number)) return number;
    } catch (const AutomationError &) {
      // Text that is no number: refused below with the setting's name.
    }
  }
  throw runtimeError(kTypeMismatch,
                     std::string(setting) + ": " + shown(value, regional) + " is not a number");
}

} // namespace

double readTimeout(const Variant &value, const Regional &regional) {
  double seconds = numberOf("Timeout", value, regional);
  if (!(seconds >= 0 && seconds <= kLongestTimeout)) {
    throw runtimeError(kInvalidCall, "Timeout: " + shown(value, regional) +
                                         " is not 0 (no bound) or a number of seconds up to " +
                                         secondsText(kLongestTimeout));
  }
  return seconds;
}

int32_t readParallel(const Variant &value, const Regional &regional) {
  double hosts = numberOf("Parallel", value, regional);
  // Rounded first, as the runtime's whole-number conversion rounds.
  double rounded = std::nearbyint(hosts);
  if (!(rounded >= 1 && rounded <= kMostParallel)) {
    throw runtimeError(kInvalidCall, "Parallel: " + shown(value, regional) + " is not from 1 to " +
                                         std::to_string(kMostParallel));
  }
  return static_cast<int32_t>(rounded);
}

std::string secondsText(double seconds) {
  char text[400];
  auto written = std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed);
  return written.ec == std::errc() ? std::string(text, written.ptr) : std::to_string(seconds);
}

} // namespace qv::fleet
