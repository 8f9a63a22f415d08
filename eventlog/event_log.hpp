#pragma once
// Class EventLog: the event logs of a computer through the management
// service. The object keeps no target: every call names its computer, used
// exactly as passed in the moniker of eventLogMoniker (the Security privilege
// enabled). Log names go into queries escaped (see event_queries.hpp) and
// into messages as passed. Event times are shown in this host's zone.

#include <cstdint>
#include <optional>
#include <string>

#include "core/collection.hpp"
#include "core/platform.hpp"
#include "core/variant.hpp"

namespace qv {

class EventLog {
public:
  explicit EventLog(Platform platform);

  // The log names of the computer, sorted as text (letter case ignored,
  // stable), without keys. Two names that differ only in letter case fail.
  // Failures: "Unable to list eventlogs on " + computer.
  CollectionPtr enumEventLogs(const std::string &computer);

  // The number of entries of logfile; 0 when the log does not exist or the
  // service gives no count. Failures: "unable to count events".
  int32_t numberOfEvents(const std::string &computer, const std::string &logfile);

  // One page of enumFromLog, newest entries on page 1, as a Variant holding
  // a collection of event records keyed by record number ("4711").
  // pagesize: entries per page, 25 when omitted. pagenum: the caller's
  // by-reference page number, or null when omitted (then page 1). After the
  // newest entry is read it is raised to 1 when lower, and then, unless the
  // page size is 0, overwritten with the page counted from 0 (4 leaves 3;
  // 1, 0 and negative numbers leave 0); a failure leaves what was written
  // by then. A log that fits one page is returned whole for any page
  // number. Failures: "Error listing events in " + enumFromLog.
  Variant enumLogEvents(const std::string &computer, const std::string &enumFromLog,
                        std::optional<int32_t> pagesize = std::nullopt, int32_t *pagenum = nullptr);

  // One page of logfile for readers that walk pages until they run out; no
  // argument is written back. A record of "Total" (the count), "Pages",
  // "Page" (the page served, at least 1) and "Events": the event records of
  // that page keyed by record number, in the service's order (newest first).
  // A page past the last has no events; a log that fits one page is served
  // whole on page 1 only, and so is a log the service gives no count for
  // (its page 1 counts what it served: Total those entries, Pages 1), as
  // EnumLogEvents serves them. pagesize (25 when omitted) below 1 fails with 5.
  // Reads the count, the newest entry and that page's entries, nothing more.
  // Failures: "Error listing events in " + logfile.
  CollectionPtr getLogPage(const std::string &computer, const std::string &logfile,
                           std::optional<int32_t> pagesize = std::nullopt,
                           std::optional<int32_t> page = std::nullopt);

  // The fourteen-field record of the first entry with that record number,
  // in logfile when given, else in any log of the computer; an empty
  // collection when there is none. Failures: "Unable to fetch Event (" +
  // the number as text + ")".
  CollectionPtr getEvent(const std::string &computer, double EventRecordNumber,
                         const std::optional<std::string> &logfile = std::nullopt);

  // The entries of logName since a local time (Empty: from the oldest) of
  // the types named (a comma-separated text; Empty: all), newest first, as
  // the records and keys of enumLogEvents; at most maxEvents (1 to 10,000,
  // Empty: 100) are read. since is turned into universal time by the host's
  // zone rules and asked for in the one query, with the types. A bad type
  // name or count fails with 5, a since that is no date with 13. Failures:
  // "Error with findEvents".
  CollectionPtr findEvents(const std::string &computer, const std::string &logName, const Variant &since,
                           const Variant &types, const Variant &maxEvents);

private:
  // The event records of one query, keyed by record number, in its order;
  // no more than limit entries are read.
  CollectionPtr eventsOf(const std::string &computer, const std::string &query,
                         std::size_t limit = static_cast<std::size_t>(-1));

  Platform platform_;
};

} // namespace qv
