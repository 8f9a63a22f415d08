#pragma once
// A fake event log served by a fake management service, for the tests and
// the benchmark: entries are made on demand from their record numbers, so a
// log of a million entries costs nothing until it is read. Newest entries
// come first, as the service yields them. Page queries are parsed back into
// their bounds, and the entries taken from them are counted.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform.hpp"
#include "core/portable_regional.hpp"
#include "eventlog/event_queries.hpp"
#include "eventlog/wmi_dates.hpp"
#include "tests/fakes/fake_management.hpp"
#include "tests/support/failure_of.hpp"
#include "tests/support/keys_of.hpp"

namespace qv::test {

inline constexpr const char *kComputer = "srv";
inline constexpr const char *kEventTime = "20050301120000.000000+000";

// A complete entry of log with that record number.
inline fake::WmiObjectPtr eventEntry(const std::string &log, int32_t recordNumber) {
  auto entry = std::make_shared<fake::WmiObject>();
  entry->set("User", "DOMAIN\\user")
      .set("Type", "Information")
      .set("Category", int32_t{0})
      .set("CategoryString", "Logon")
      .set("EventCode", int32_t{7036})
      .set("EventIdentifier", int32_t{1073748860})
      .set("RecordNumber", recordNumber)
      .set("SourceName", "Service Control Manager")
      .set("TimeGenerated", kEventTime)
      .set("TimeWritten", kEventTime)
      .set("message", "entry " + std::to_string(recordNumber))
      .set("ComputerName", "SRV")
      .set("Data", Variant::null())
      .set("InsertionStrings", Variant::null())
      .set("Logfile", log);
  return entry;
}

// What the count query of a log gives: one instance with that count.
inline std::vector<fake::WmiObjectPtr> countResult(Variant count) {
  return fake::instances(
      {std::make_shared<fake::WmiObject>(fake::WmiObject{{"NumberOfRecords", std::move(count)}})});
}

// The management service of one computer plus the local one for the bias.
struct EventLogWorld {
  EventLogWorld() {
    local->addQuery(
        kTimeZoneBiasQuery,
        fake::instances({std::make_shared<fake::WmiObject>(fake::WmiObject{{"Bias", int32_t{0}}})}));
    platform.management = management;
    platform.regional = regional;
  }

  std::shared_ptr<fake::Management> management = std::make_shared<fake::Management>();
  std::shared_ptr<fake::WmiService> target = management->service("winmgmts://srv");
  std::shared_ptr<fake::WmiService> local = management->service("WinMgmts:");
  std::shared_ptr<const Regional> regional = PortableRegional::english();
  Platform platform;
};

// Record numbers from down to downTo, the order pages list them in.
inline std::vector<int32_t> range(int32_t from, int32_t downTo) {
  std::vector<int32_t> list;
  for (int32_t n = from; n >= downTo; --n)
    list.push_back(n);
  return list;
}

class FakeEventLog {
public:
  // A log whose entries are numbered newest down to 1. count is what the
  // count query reports (the log's size unless a test says otherwise).
  FakeEventLog(fake::WmiService &service, std::string log, int32_t newest,
               std::optional<Variant> count = std::nullopt)
      : log_(std::move(log)), newest_(newest) {
    std::string name = log_;
    int32_t top = newest_;
    service.addQuery(wholeLogQuery(log_), [name, top](std::size_t i) -> ManagementObjectPtr {
      if (i >= static_cast<std::size_t>(top)) return nullptr;
      return eventEntry(name, top - static_cast<int32_t>(i));
    });
    service.addQuery(eventCountQuery(log_), countResult(count ? *count : Variant(newest_)));
    service.onQuery([this](std::string_view wql) { return page(wql); });
  }
  FakeEventLog(const FakeEventLog &) = delete; // the service holds this address
  FakeEventLog &operator=(const FakeEventLog &) = delete;

  std::vector<std::string> pageQueries; // page query texts, in order
  std::shared_ptr<std::size_t> pageEntriesTaken = std::make_shared<std::size_t>(0);

private:
  std::unique_ptr<ResultSet> page(std::string_view wql) {
    std::string prefix = wholeLogQuery(log_) + " and Recordnumber <=";
    if (wql.substr(0, prefix.size()) != prefix) return nullptr;
    std::string rest(wql.substr(prefix.size()));
    int32_t upper = 0, lower = 0;
    int used = 0;
    if (std::sscanf(rest.c_str(), "%d and Recordnumber >%d%n", &upper, &lower, &used) != 2 ||
        static_cast<std::size_t>(used) != rest.size())
      return nullptr;

    pageQueries.emplace_back(wql);
    int32_t first = std::min(upper, newest_);
    std::string name = log_;
    return std::make_unique<fake::GeneratedSet>(
        [name, first, lower](std::size_t i) -> ManagementObjectPtr {
          int64_t number = int64_t{first} - static_cast<int64_t>(i);
          if (number <= lower || number < 1) return nullptr;
          return eventEntry(name, static_cast<int32_t>(number));
        },
        pageEntriesTaken);
  }

  std::string log_;
  int32_t newest_;
};

} // namespace qv::test
