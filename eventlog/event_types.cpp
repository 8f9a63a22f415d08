#include "eventlog/event_types.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "core/automation_error.hpp"
#include "core/caseless_compare.hpp"
#include "core/convert.hpp"

namespace qv {

namespace {

constexpr std::array<const char *, 5> kTypeNames = {"Error", "Warning", "Information",
                                                    "Security Audit Success", "Security Audit Failure"};

int32_t typeNumber(std::string_view name) {
  for (std::size_t i = 0; i < kTypeNames.size(); ++i)
    if (compareCaseless(name, kTypeNames[i]) == 0) return static_cast<int32_t>(i + 1);
  throw runtimeError(kInvalidCall, std::string(runtimeErrorText(kInvalidCall)) + ": '" + std::string(name) +
                                       "' is not an event type");
}

} // namespace

std::vector<int32_t> eventTypeNumbers(std::string_view list) {
  std::vector<int32_t> numbers;
  if (trim(list).empty()) return numbers;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    const std::string_view entry =
        list.substr(start, comma == std::string_view::npos ? comma : comma - start);
    const int32_t number = typeNumber(trim(entry));
    if (std::find(numbers.begin(), numbers.end(), number) == numbers.end()) numbers.push_back(number);
    if (comma == std::string_view::npos) return numbers;
    start = comma + 1;
  }
}

} // namespace qv
