#include "processes/process_record.hpp"

#include <vector>

#include "core/convert.hpp"

namespace qv {

namespace {

// A method result compared with 0 the way a script compares it: Null is
// equal to nothing.
bool returnedZero(const Variant &result, const Regional &regional) {
  return !result.isNull() && toDouble(result, regional) == 0.0;
}

Variant ownerName(ManagementObject &instance, const Regional &regional) {
  std::vector<Variant> outputs(2); // user name, domain
  Variant result = instance.call("GetOwner", outputs);
  if (!returnedZero(result, regional)) return Variant(std::string());
  // A process without a resolvable owner may give Null: kept as delivered.
  if (outputs[0].isNull()) return outputs[0];
  return Variant(toText(outputs[0], regional));
}

} // namespace

std::string memUsageText(const Variant &workingSetSize, const Regional &regional) {
  return regional.doubleToText(toDouble(workingSetSize, regional) / 1024.0) + " K";
}

void addProcessFields(Collection &record, ManagementObject &instance, const Regional &regional) {
  record.add(instance.get("Caption"), "Caption");
  record.add(instance.get("CreationDate"), "Started");
  record.add(instance.get("Priority"), "Priority");
  record.add(instance.get("processId"), "id");
  record.add(instance.get("Name"), "Name");
  record.add(Variant(memUsageText(instance.get("WorkingSetSize"), regional)), "MemUsage");
  record.add(ownerName(instance, regional), "UserId");
}

std::string processQuery(int32_t processId) {
  return "Select * from Win32_Process where ProcessId=" + std::to_string(processId);
}

} // namespace qv
