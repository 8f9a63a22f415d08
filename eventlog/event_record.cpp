#include "eventlog/event_record.hpp"

#include <string>

#include "core/convert.hpp"
#include "eventlog/wmi_dates.hpp"

namespace qv {

namespace {

// value, or placeholder when its text is blank. Null is not blank: it is
// kept, as a script's comparison of Null with "" is never true.
Variant unlessBlank(Variant value, const char *placeholder, const Regional &regional) {
  if (value.isNull()) return value;
  if (trim(toText(value, regional)).empty()) return Variant(placeholder);
  return value;
}

Variant localDate(const Variant &value, System &system, const Regional &regional) {
  return Variant(wmiDateToDate(toText(value, regional), system, regional));
}

} // namespace

void addEventFields(Collection &record, ManagementObject &entry, System &system, const Regional &regional) {
  record.add(unlessBlank(entry.get("User"), "N/A", regional), "User");
  record.add(entry.get("Type"), "Type");
  record.add(entry.get("Category"), "Category");
  record.add(unlessBlank(entry.get("CategoryString"), "None", regional), "CategoryString");
  record.add(entry.get("EventCode"), "EventCode");
  record.add(entry.get("EventIdentifier"), "EventIdentifier");
  record.add(entry.get("RecordNumber"), "RecordNumber");
  record.add(entry.get("SourceName"), "SourceName");
  record.add(localDate(entry.get("TimeGenerated"), system, regional), "TimeGenerated");
  record.add(localDate(entry.get("TimeWritten"), system, regional), "TimeWritten");
  record.add(entry.get("message"), "message");
}

void addEventDetailFields(Collection &record, ManagementObject &entry) {
  record.add(entry.get("computerName"), "ComputerName");
  record.add(entry.get("data"), "Data");
  record.add(entry.get("InsertionStrings"), "InsertionStrings");
}

} // namespace qv
