#pragma once
// Class process: the processes of a computer through the management service
// ("Win32_Process"). The object keeps no target: every call names its
// computer, used exactly as passed in the moniker "winmgmts://" + computer.

#include <cstdint>
#include <string>

#include "core/collection.hpp"
#include "core/platform.hpp"
#include "core/variant.hpp"

namespace qv {

class Processes {
public:
  explicit Processes(Platform platform);

  // A result collection of process records under "1", "2", ..., inside a
  // Variant. Failures: "Unable to get processes".
  Variant enumerateProcesses(const std::string &computer);

  // The record of the first process with that number, or an empty
  // collection when there is none. Failures: "Error getting process details".
  CollectionPtr getProcessDetails(int32_t processId, const std::string &computer);

  // Ends the process with that number; a process that does not exist is not
  // an error. A non-zero Terminate result is raised as error 5 "Terminate
  // returned <code>", so a refused termination never passes for success.
  // Failures: "Unable to terminate process. Reason: " + the Terminate result
  // as text (empty when Terminate was not reached).
  void terminateProcess(int32_t processId, const std::string &computer);

private:
  Platform platform_;
};

} // namespace qv
