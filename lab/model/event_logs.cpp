#include "lab/model/event_logs.hpp"

#include <string>

#include "lab/model/text.hpp"

namespace qv::lab {
namespace {

// "%1" and "%2" take the insertion strings; "%%" stays a percent sign.
std::string expand(const std::string &message, const std::vector<std::string> &strings) {
  std::string result;
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] == '%' && i + 1 < message.size() && message[i + 1] >= '1' && message[i + 1] <= '9') {
      auto n = static_cast<std::size_t>(message[i + 1] - '1');
      if (n < strings.size()) result += strings[n];
      ++i;
    } else {
      result.push_back(message[i]);
    }
  }
  return result;
}

Date addSeconds(Date date, long long seconds) {
  return Date{date.serial + static_cast<double>(seconds) / 86400.0};
}

} // namespace

EventKind eventKind(std::string_view type) {
  static const char *const names[] = {"Error", "Warning", "Information", "Security Audit Success",
                                      "Security Audit Failure"};
  for (uint8_t i = 0; i < 5; ++i)
    if (equalsNoCase(type, names[i])) return {static_cast<uint8_t>(i + 1), names[i]};
  return {0, std::string(type)};
}

InstancePtr makeEvent(const Computer &computer, const EventLogRule &rule, int32_t record) {
  long long step = static_cast<long long>(record) - rule.firstRecord;
  const EventTemplate &t = rule.templates[static_cast<std::size_t>(step) % rule.templates.size()];
  std::size_t occurrence = static_cast<std::size_t>(step) / rule.templates.size();
  const std::vector<std::string> *strings =
      t.insertions.empty() ? nullptr : &t.insertions[occurrence % t.insertions.size()];
  static const std::vector<std::string> none;

  int32_t offset = computer.utcOffsetMinutes();
  Date generated = addSeconds(rule.start, step * rule.intervalSeconds);
  Date written = addSeconds(generated, t.writeDelaySeconds);

  auto event = std::make_shared<Instance>();
  PropertyBag &p = event->props;
  p.set("Category", Value(t.category));
  p.set("CategoryString", Value(t.categoryString));
  p.set("ComputerName", Value(computer.name));
  p.set("Data", t.data);
  p.set("EventCode", Value(t.eventCode));
  p.set("EventIdentifier", t.eventIdentifier);
  p.set("EventType", Value(eventKind(t.type).number));
  if (strings) {
    Value::Array items;
    for (const auto &s : *strings)
      items.emplace_back(s);
    p.set("InsertionStrings", Value(std::move(items)));
  } else {
    p.set("InsertionStrings", Value());
  }
  p.set("Logfile", Value(rule.log));
  p.set("Message", Value(expand(t.message, strings ? *strings : none)));
  p.set("RecordNumber", Value(record));
  p.set("SourceName", Value(t.source));
  p.set("TimeGenerated", Value(managementDateTime(generated, offset)));
  p.set("TimeWritten", Value(managementDateTime(written, offset)));
  p.set("Type", Value(t.type));
  p.set("User", t.user);
  return event;
}

} // namespace qv::lab
