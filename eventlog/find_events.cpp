// EventLog.findEvents: the entries of a time window and of some types, found
// by the service where the log is rather than by walking pages here.

#include <optional>
#include <string>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/handlers.hpp"
#include "eventlog/event_log.hpp"
#include "eventlog/event_queries.hpp"
#include "eventlog/event_types.hpp"

namespace qv {

namespace {

constexpr int32_t kDefaultMaxEvents = 100;
constexpr int32_t kMostEvents = 10000;

int32_t maxEventsOf(const Variant &given, const Regional &regional) {
  if (given.isEmpty()) return kDefaultMaxEvents;
  const int32_t count = toInt32(given, regional);
  if (count < 1 || count > kMostEvents)
    throw runtimeError(kInvalidCall,
                       std::string(runtimeErrorText(kInvalidCall)) + ": maxEvents must be from 1 to 10000");
  return count;
}

} // namespace

CollectionPtr EventLog::findEvents(const std::string &computer, const std::string &logName,
                                   const Variant &since, const Variant &types, const Variant &maxEvents) {
  return reportAndFail("Error with findEvents", [&] {
    const Regional &regional = *platform_.regional;
    const int32_t limit = maxEventsOf(maxEvents, regional);
    const auto typeNumbers =
        types.isEmpty() ? std::vector<int32_t>{} : eventTypeNumbers(toText(types, regional));
    std::optional<Date> from;
    if (!since.isEmpty()) from = platform_.system->localToUniversal(toDate(since, regional));
    return eventsOf(computer, findEventsQuery(logName, from, typeNumbers), static_cast<std::size_t>(limit));
  });
}

} // namespace qv
