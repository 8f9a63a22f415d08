#include "processes/process.hpp"

#include <optional>
#include <utility>
#include <vector>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/handlers.hpp"
#include "core/management.hpp"
#include "processes/process_record.hpp"

namespace qv {

namespace {

// The text a script gets when it joins a value to a message: Empty and Null
// add nothing. Used inside the handler, so it must not fail itself: a value
// with no text form adds nothing either.
std::string joinedText(const Variant &value, const Regional &regional) {
  if (value.isEmpty() || value.isNull()) return std::string();
  try {
    return toText(value, regional);
  } catch (const AutomationError &) {
    return std::string();
  }
}

} // namespace

Processes::Processes(Platform platform) : platform_(std::move(platform)) {}

Variant Processes::enumerateProcesses(const std::string &computer) {
  return reportAndFail("Unable to get processes", [&] {
    auto service = platform_.management->connect(managementMoniker(computer));
    auto set = service->instancesOf("Win32_Process");
    ResultCollection result;
    while (auto instance = set->next()) {
      auto record = newRecord();
      addProcessFields(*record, *instance, *platform_.regional);
      result.add(record);
    }
    return Variant(result.take());
  });
}

CollectionPtr Processes::getProcessDetails(int32_t processId, const std::string &computer) {
  return reportAndFail("Error getting process details", [&] {
    auto service = platform_.management->connect(managementMoniker(computer));
    auto set = service->execQuery(processQuery(processId));
    auto record = newRecord();
    if (auto instance = firstOf(*set)) addProcessFields(*record, *instance, *platform_.regional);
    return record;
  });
}

void Processes::terminateProcess(int32_t processId, const std::string &computer) {
  const Regional &regional = *platform_.regional;
  // Read by the handler: the reason is whatever Terminate had returned when
  // the failure happened.
  Variant terminateResult;
  try {
    auto service = platform_.management->connect(managementMoniker(computer));
    auto set = service->execQuery(processQuery(processId));
    while (auto instance = set->next()) {
      if (toDouble(instance->get("processId"), regional) != static_cast<double>(processId)) continue;
      std::vector<Variant> args{Variant(int16_t{0})};
      terminateResult = instance->call("Terminate", args);
      if (terminateResult.isNull() || toDouble(terminateResult, regional) != 0.0) {
        throw runtimeError(kInvalidCall, "Terminate returned " + joinedText(terminateResult, regional));
      }
      return;
    }
  } catch (const AutomationError &pending) {
    raiseError("Unable to terminate process. Reason: " + joinedText(terminateResult, regional), pending);
  }
}

} // namespace qv
