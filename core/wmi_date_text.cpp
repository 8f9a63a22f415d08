#include "core/wmi_date_text.hpp"

#include <string>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/handlers.hpp"

namespace qv {
namespace {

// The runtime's Mid(text, start, length) with start counted from 1: a piece
// past the end is shorter or empty, never a failure.
std::string_view piece(std::string_view text, std::size_t start, std::size_t length) {
  if (start > text.size()) return {};
  return text.substr(start - 1, length);
}

// Minutes to add to the written clock time to reach UTC.
int32_t offsetMinutes(std::string_view text, StarredOffset starred, const Regional &regional) {
  if (starred == StarredOffset::kMidnightUtc && text.find("+***") != std::string_view::npos) return 0;
  if (auto plus = text.find('+'); plus != std::string_view::npos)
    return -toInt32(Variant(text.substr(plus + 1)), regional);
  if (auto minus = text.find('-'); minus != std::string_view::npos)
    return toInt32(Variant(text.substr(minus + 1)), regional);
  return 0;
}

} // namespace

Date wmiDateTextToUtc(std::string_view text, StarredOffset starred, const Regional &regional) {
  const std::string_view trimmedText = trim(text);
  const bool dateOnly =
      starred == StarredOffset::kMidnightUtc && trimmedText.find("+***") != std::string_view::npos;
  const int32_t offset = offsetMinutes(trimmedText, starred, regional);

  std::string joined;
  joined.append(piece(trimmedText, 1, 4)).append("-");
  joined.append(piece(trimmedText, 5, 2)).append("-");
  joined.append(piece(trimmedText, 7, 2)).append(" ");
  if (dateOnly) {
    joined.append("00:00:00");
  } else {
    joined.append(piece(trimmedText, 9, 2)).append(":");
    joined.append(piece(trimmedText, 11, 2)).append(":");
    joined.append(piece(trimmedText, 13, 2));
  }

  const std::optional<Date> clock = regional.textToDate(joined);
  if (!clock) throw runtimeError(kTypeMismatch);
  return addMinutes(*clock, offset);
}

Date translateWmiDate(std::string_view text, const Regional &regional) {
  return reportAndFail(kTranslateDateMessage,
                       [&] { return wmiDateTextToUtc(text, StarredOffset::kMidnightUtc, regional); });
}

} // namespace qv
