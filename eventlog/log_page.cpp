// EventLog.getLogPage: pages for readers that walk until the pages run out.
// Unlike EnumLogEvents it writes nothing back and never serves the oldest
// page again past the end, so a plain loop over page numbers terminates.

#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/handlers.hpp"
#include "core/management.hpp"
#include "eventlog/event_log.hpp"
#include "eventlog/event_queries.hpp"
#include "eventlog/page_bounds.hpp"

namespace qv {

CollectionPtr EventLog::getLogPage(const std::string &computer, const std::string &logfile,
                                   std::optional<int32_t> pagesize, std::optional<int32_t> page) {
  return reportAndFail("Error listing events in " + logfile, [&] {
    const int32_t size = pagesize.value_or(kDefaultPageSize);
    if (size < 1) throwRuntimeError(kInvalidCall);
    const int32_t served = std::max(page.value_or(kDefaultPageNumber), int32_t{1});

    int32_t total = std::max(numberOfEvents(computer, logfile), int32_t{0});
    auto pages = static_cast<int32_t>((int64_t{total} + size - 1) / size);

    CollectionPtr events = std::make_shared<Collection>();
    if (total <= size) {
      // The whole log on page 1, as EnumLogEvents serves it; that includes a
      // log the service gives no count for (0), whose page then tells what
      // it holds rather than claiming an empty log.
      if (served == 1) events = eventsOf(computer, wholeLogQuery(logfile));
      if (total == 0 && !events->empty()) {
        total = events->count();
        pages = 1;
      }
    } else if (served <= pages) {
      // Only the newest entry is read to place the page, however long the
      // log; a log that yields none has no page to serve.
      std::optional<int32_t> newest;
      {
        auto service = platform_.management->connect(eventLogMoniker(computer));
        auto whole = service->execQuery(wholeLogQuery(logfile));
        if (auto first = firstOf(*whole)) newest = toInt32(first->get("RecordNumber"), *platform_.regional);
      }
      auto bounds = newest ? pageBoundsWithoutRepeat(*newest, size, served - 1) : std::nullopt;
      if (bounds) events = eventsOf(computer, pageQuery(logfile, *bounds));
    }

    auto record = newRecord();
    record->add(Variant(total), "Total");
    record->add(Variant(pages), "Pages");
    record->add(Variant(served), "Page");
    record->add(Variant(events), "Events");
    return record;
  });
}

} // namespace qv
