#include "lab/model/management.hpp"

#include <algorithm>
#include <cmath>

#include "lab/model/event_logs.hpp"
#include "lab/model/lab_error.hpp"
#include "lab/model/text.hpp"

namespace qv::lab {
namespace {

// The instances of a class with a property list: a query with a select
// list gives instances holding those properties only.
InstancePtr project(const InstancePtr &instance, const std::vector<std::string> &select) {
  if (select.empty()) return instance;
  auto copy = std::make_shared<Instance>();
  for (const auto &name : select)
    if (const Value *value = instance->props.find(name)) copy->props.set(name, *value);
  copy->owner = instance->owner;
  copy->terminable = instance->terminable;
  return copy;
}

class ListCursor : public InstanceCursor {
public:
  ListCursor(std::vector<InstancePtr> items, std::shared_ptr<const WqlQuery> query)
      : items_(std::move(items)), query_(std::move(query)) {}

  InstancePtr next() override {
    while (at_ < items_.size()) {
      const InstancePtr &item = items_[at_++];
      if (!query_) return item;
      if (wqlMatches(query_->where.get(), item->props)) return project(item, query_->select);
    }
    return nullptr;
  }

private:
  std::vector<InstancePtr> items_; // a snapshot: ending a process does not move the walk
  std::size_t at_ = 0;
  std::shared_ptr<const WqlQuery> query_;
};

// Logs in the fleet's order, each newest entry first; a query's log name
// and record-number range keep the walk to the entries that can match.
class EventCursor : public InstanceCursor {
public:
  EventCursor(const Computer &computer, std::shared_ptr<const WqlQuery> query, Privileges privileges)
      : computer_(computer), query_(std::move(query)), privileges_(privileges) {
    if (query_) {
      log_ = wqlHintsFor(query_->where.get(), "Logfile");
      records_ = wqlHintsFor(query_->where.get(), "RecordNumber");
      generated_ = wqlHintsFor(query_->where.get(), "TimeGenerated");
    }
    startLog();
  }

  InstancePtr next() override {
    while (logIndex_ < computer_.eventLogs.size()) {
      const EventLogRule &rule = computer_.eventLogs[logIndex_];
      while (record_ >= low_) {
        InstancePtr event = makeEvent(computer_, rule, static_cast<int32_t>(record_--));
        if (query_ && !wqlMatches(query_->where.get(), event->props)) continue;
        if (!privileges_.security && equalsNoCase(rule.log, "Security"))
          throw LabError(code::kWbemAccessDenied);
        return query_ ? project(event, query_->select) : event;
      }
      ++logIndex_;
      startLog();
    }
    return nullptr;
  }

private:
  void startLog() {
    for (; logIndex_ < computer_.eventLogs.size(); ++logIndex_) {
      const EventLogRule &rule = computer_.eventLogs[logIndex_];
      if (log_.equals && !equalsNoCase(*log_.equals, rule.log)) continue;
      double high = rule.newestRecord();
      double low = rule.firstRecord;
      if (records_.atMost) high = std::min(high, std::floor(*records_.atMost));
      if (records_.atLeast) low = std::max(low, std::ceil(*records_.atLeast));
      low = std::max(low, firstGeneratedSince(rule));
      if (low > high) continue;
      record_ = static_cast<long long>(high);
      low_ = static_cast<long long>(low);
      return;
    }
  }

  // Entries are made at even steps from the rule's start, so a lower bound
  // on TimeGenerated is a lower bound on the record number: the walk ends
  // there instead of making every older entry to refuse it.
  double firstGeneratedSince(const EventLogRule &rule) const {
    double since = 0;
    if (!generated_.textAtLeast || !managementInstant(*generated_.textAtLeast, since) ||
        rule.intervalSeconds <= 0)
      return rule.firstRecord;
    const double start = std::round(rule.start.serial * 86400.0) - computer_.utcOffsetMinutes() * 60.0;
    const double steps = std::ceil((since - start) / rule.intervalSeconds);
    return rule.firstRecord + std::max(steps, 0.0);
  }

  const Computer &computer_;
  std::shared_ptr<const WqlQuery> query_;
  Privileges privileges_;
  WqlHints log_, records_, generated_;
  std::size_t logIndex_ = 0;
  long long record_ = 0, low_ = 1;
};

const ClassSchema &knownClass(const Fleet &fleet, std::string_view className) {
  const ClassSchema *schema = fleet.findClass(className);
  if (!schema) throw LabError(code::kWbemInvalidClass);
  return *schema;
}

std::unique_ptr<InstanceCursor> walk(const ClassSchema &schema, const Computer &computer,
                                     std::shared_ptr<const WqlQuery> query, Privileges privileges) {
  if (equalsNoCase(schema.name, "Win32_NTLogEvent"))
    return std::make_unique<EventCursor>(computer, std::move(query), privileges);
  const auto *list = computer.instancesOf(schema.name);
  return std::make_unique<ListCursor>(list ? *list : std::vector<InstancePtr>{}, std::move(query));
}

// The server part of a moniker: "//server", "\\server", "//server/root/cimv2".
std::string serverOf(std::string_view rest) {
  std::size_t bang = rest.find('!');
  if (!rest.empty() && rest[0] == '{') {
    std::size_t close = rest.find('}');
    if (close == std::string_view::npos) throw LabError(code::kWbemInvalidParameter);
    rest.remove_prefix(close + 1);
    if (!rest.empty() && rest[0] == '!')
      rest.remove_prefix(1);
    else if (!rest.empty())
      throw LabError(code::kWbemInvalidParameter);
  } else if (bang != std::string_view::npos) {
    throw LabError(code::kWbemInvalidParameter);
  }
  std::string path(rest);
  std::replace(path.begin(), path.end(), '/', '\\');
  std::string server = ".";
  std::string ns;
  if (path.rfind("\\\\", 0) == 0) {
    std::size_t end = path.find('\\', 2);
    server = path.substr(2, end == std::string::npos ? std::string::npos : end - 2);
    ns = end == std::string::npos ? "" : path.substr(end + 1);
  } else {
    ns = path;
  }
  if (!ns.empty() && ns.find(':') != std::string::npos) throw LabError(code::kWbemNotSupported);
  if (!ns.empty() && !equalsNoCase(ns, "root\\cimv2")) throw LabError(code::kWbemInvalidNamespace);
  return server.empty() ? "." : server;
}

} // namespace

Computer &connectManagement(const Fleet &fleet, std::string_view moniker, const LocalNames &local) {
  if (!startsWithNoCase(moniker, "winmgmts:")) throw LabError(code::kWbemInvalidParameter);
  std::string server = serverOf(moniker.substr(9));
  Computer *computer = fleet.reach(server, local);
  if (!computer || !computer->reachable) throw LabError(code::kServerUnavailable);
  return *computer;
}

Privileges privilegesOf(std::string_view moniker) {
  Privileges privileges;
  if (!startsWithNoCase(moniker, "winmgmts:{")) return privileges;
  std::string_view settings = moniker.substr(10, moniker.find('}') - 10);
  std::size_t open = settings.find('(');
  if (open == std::string_view::npos) return privileges;
  std::string_view list = settings.substr(open + 1, settings.find(')', open) - open - 1);
  while (!list.empty()) {
    std::size_t comma = list.find(',');
    std::string name = trim(list.substr(0, comma));
    if (equalsNoCase(name, "Security")) privileges.security = true;
    if (equalsNoCase(name, "!Security")) privileges.security = false;
    list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
  }
  return privileges;
}

std::unique_ptr<InstanceCursor> instancesOf(const Fleet &fleet, const Computer &computer,
                                            std::string_view className, Privileges privileges) {
  return walk(knownClass(fleet, className), computer, nullptr, privileges);
}

std::unique_ptr<InstanceCursor> execQuery(const Fleet &fleet, const Computer &computer, std::string_view wql,
                                          Privileges privileges) {
  auto query = std::make_shared<WqlQuery>(parseWql(wql));
  const ClassSchema &schema = knownClass(fleet, query->className);
  bindWql(*query, schema);
  return walk(schema, computer, std::move(query), privileges);
}

int32_t processOwner(const Instance &process, std::string &user, std::string &domain) {
  if (!process.owner) return 2;
  user = process.owner->first;
  domain = process.owner->second;
  return 0;
}

int32_t terminateProcess(Computer &computer, const Instance &process) {
  auto *list = computer.instances.count("win32_process") ? &computer.instances["win32_process"] : nullptr;
  const Value *id = process.props.find("ProcessId");
  if (!list || !id) throw LabError(code::kWbemNotFound);
  auto it = std::find_if(list->begin(), list->end(), [&](const InstancePtr &p) {
    const Value *other = p->props.find("ProcessId");
    return other && *other == *id;
  });
  if (it == list->end()) throw LabError(code::kWbemNotFound);
  if (!(*it)->terminable) return 2;
  list->erase(it);
  return 0;
}

} // namespace qv::lab
