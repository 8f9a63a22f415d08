#pragma once
// A fake event log served by a fake management service, for the tests and
// the benchmark: entries are made on demand from their record numbers, so a
// log of a million entries costs nothing until it is read. Newest entries
// come first, as the service yields them. Page queries are parsed back into
// their bounds, and the entries taken from them are counted.

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/platform.hpp"
#include "core/portable_regional.hpp"
#include "eventlog/event_queries.hpp"
#include "eventlog/wmi_dates.hpp"
#include "tests/fakes/fake_management.hpp"
#include "tests/fakes/fake_system.hpp"
#include "tests/support/failure_of.hpp"
#include "tests/support/keys_of.hpp"

namespace qv::test {

// A complete entry of log with that record number. Every field differs
// from the others, so a record that swaps two of them shows it.
inline fake::WmiObjectPtr eventEntry(const std::string &log, int32_t recordNumber) {
  return std::make_shared<fake::WmiObject>(
      fake::WmiObject{{"User", "DOMAIN\\user"},
                      {"Type", "Information"},
                      {"Category", int32_t{2}},
                      {"CategoryString", "Logon"},
                      {"EventCode", int32_t{7036}},
                      {"EventIdentifier", int32_t{1073748860}},
                      {"RecordNumber", recordNumber},
                      {"SourceName", "Service Control Manager"},
                      {"TimeGenerated", "20050301120000.000000+000"},
                      {"TimeWritten", "20050301120500.000000+000"},
                      {"message", "entry " + std::to_string(recordNumber)},
                      {"Logfile", log}});
}

// What the count query of a log gives: one instance with that count.
inline std::vector<fake::WmiObjectPtr> countResult(Variant count) {
  return fake::instances(
      {std::make_shared<fake::WmiObject>(fake::WmiObject{{"NumberOfRecords", std::move(count)}})});
}

// The management service of one computer plus the local one for the bias.
struct EventLogWorld {
  EventLogWorld() { setBias(Variant(int32_t{0})); }
  void setBias(Variant bias) {
    local->addQuery(
        kTimeZoneBiasQuery,
        fake::instances({std::make_shared<fake::WmiObject>(fake::WmiObject{{"Bias", std::move(bias)}})}));
  }

  std::shared_ptr<fake::Management> management = std::make_shared<fake::Management>();
  std::shared_ptr<fake::WmiService> target = management->service("winmgmts://srv");
  std::shared_ptr<fake::WmiService> local = management->service("WinMgmts:");
  std::shared_ptr<const Regional> regional = PortableRegional::english();
  std::shared_ptr<fake::System> system = std::make_shared<fake::System>();
  Platform platform{management, nullptr, system, regional};
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
               const std::optional<Variant> &count = std::nullopt)
      : log_(std::move(log)), newest_(newest) {
    service.addQuery(wholeLogQuery(log_), entries(newest_, 0));
    service.addQuery(eventCountQuery(log_), countResult(count.value_or(Variant(newest_))));
    service.onQuery([this](std::string_view wql) -> std::unique_ptr<ResultSet> {
      std::string prefix = wholeLogQuery(log_) + " and Recordnumber <=";
      if (wql.substr(0, prefix.size()) != prefix) return nullptr;
      std::string rest(wql.substr(prefix.size()));
      int32_t upper = 0, lower = 0;
      int used = 0;
      if (std::sscanf(rest.c_str(), "%d and Recordnumber >%d%n", &upper, &lower, &used) != 2 ||
          static_cast<std::size_t>(used) != rest.size())
        return nullptr;
      pageQueries.emplace_back(wql);
      return std::make_unique<fake::GeneratedSet>(entries(std::min(upper, newest_), lower), pageEntriesTaken);
    });
  }
  FakeEventLog(const FakeEventLog &) = delete; // the service holds this address
  FakeEventLog &operator=(const FakeEventLog &) = delete;

  std::vector<std::string> pageQueries; // page query texts, in order
  std::shared_ptr<std::size_t> pageEntriesTaken = std::make_shared<std::size_t>(0);

private:
  // Entries from record number first down to the one above lower (and 1).
  fake::GeneratedSet::Generator entries(int32_t first, int32_t lower) const {
    return [log = log_, first, lower](std::size_t i) -> ManagementObjectPtr {
      int64_t number = int64_t{first} - static_cast<int64_t>(i);
      if (number <= lower || number < 1) return nullptr;
      return eventEntry(log, static_cast<int32_t>(number));
    };
  }

  std::string log_;
  int32_t newest_;
};

} // namespace qv::test
