#include "eventlog/event_log.hpp"

#include "core/automation_error.hpp"

#include <utility>

#include "core/convert.hpp"
#include "core/handlers.hpp"
#include "core/management.hpp"
#include "core/sorter.hpp"
#include "eventlog/event_queries.hpp"
#include "eventlog/event_record.hpp"
#include "eventlog/page_bounds.hpp"

namespace qv {

EventLog::EventLog(Platform platform) : platform_(std::move(platform)) {}

CollectionPtr EventLog::enumEventLogs(const std::string &computer) {
  return reportAndFail("Unable to list eventlogs on " + computer, [&] {
    const Regional &regional = *platform_.regional;
    auto service = platform_.management->connect(eventLogMoniker(computer));
    auto logs = service->instancesOf(kEventLogFileClass);
    Collection names;
    while (auto log = logs->next()) {
      Variant name = log->get("LogFileName");
      std::string key = toText(name, regional);
      names.add(std::move(name), std::move(key));
    }
    return sortCollection(names, Variant(int32_t{1}), regional);
  });
}

int32_t EventLog::numberOfEvents(const std::string &computer, const std::string &logfile) {
  return reportAndFail("unable to count events", [&]() -> int32_t {
    auto service = platform_.management->connect(eventLogMoniker(computer));
    auto files = service->execQuery(eventCountQuery(logfile));
    auto file = firstOf(*files);
    if (!file) return 0;
    Variant count = file->get("NumberOfRecords");
    if (count.isNull()) return 0;
    return toInt32(count, *platform_.regional);
  });
}

Variant EventLog::enumLogEvents(const std::string &computer, const std::string &enumFromLog,
                                std::optional<int32_t> pagesize, int32_t *pagenum) {
  const int32_t requested = pagenum ? *pagenum : kDefaultPageNumber;
  const int32_t size = pagesize.value_or(kDefaultPageSize);

  return reportAndFail("Error listing events in " + enumFromLog, [&] {
    const Regional &regional = *platform_.regional;

    // The newest entry comes first; only it is read, however long the log.
    // A log that yields none counts as ending at record 0.
    int32_t newest = 0;
    {
      auto service = platform_.management->connect(eventLogMoniker(computer));
      auto whole = service->execQuery(wholeLogQuery(enumFromLog));
      if (auto first = firstOf(*whole)) newest = toInt32(first->get("RecordNumber"), regional);
    }
    // The caller's variable follows the steps as they happen: first the page
    // number raised to 1, then, once the remainder is known to exist, the
    // page counted from 0. A failure leaves whatever was written by then.
    const int32_t index = pageIndex(requested);
    if (pagenum) *pagenum = index + 1;
    if (size == 0) throwRuntimeError(kDivisionByZero);
    if (pagenum) *pagenum = index;
    const PageBounds bounds = pageBounds(newest, size, index);

    const int32_t total = numberOfEvents(computer, enumFromLog);
    const std::string query = total > size ? pageQuery(enumFromLog, bounds) : wholeLogQuery(enumFromLog);

    return Variant(eventsOf(computer, query));
  });
}

CollectionPtr EventLog::eventsOf(const std::string &computer, const std::string &query, std::size_t limit) {
  const Regional &regional = *platform_.regional;
  auto service = platform_.management->connect(eventLogMoniker(computer));
  auto entries = service->execQuery(query);
  auto events = std::make_shared<Collection>();
  while (events->size() < limit) {
    auto entry = entries->next();
    if (!entry) break;
    auto record = newRecord();
    addEventFields(*record, *entry, *platform_.system, regional);
    std::string key = toText((*record)["RecordNumber"], regional);
    events->add(Variant(record), std::move(key));
  }
  return events;
}

CollectionPtr EventLog::getEvent(const std::string &computer, double EventRecordNumber,
                                 const std::optional<std::string> &logfile) {
  const std::string number = platform_.regional->doubleToText(EventRecordNumber);
  return reportAndFail("Unable to fetch Event (" + number + ")", [&] {
    auto service = platform_.management->connect(eventLogMoniker(computer));
    auto entries = service->execQuery(eventQuery(number, logfile));
    auto record = newRecord();
    if (auto entry = firstOf(*entries)) {
      addEventFields(*record, *entry, *platform_.system, *platform_.regional);
      addEventDetailFields(*record, *entry);
    }
    return record;
  });
}

} // namespace qv
