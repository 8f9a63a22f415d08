#pragma once
// The process's one copy of the simulated network: read from the fleet file
// on first use and changed in memory by the providers until the process
// ends. Every provider call holds the lock while it reads or changes it.

#include <windows.h>

#include <mutex>
#include <string>

#include "lab/model/fleet.hpp"

namespace qv::lab {

class LabState {
public:
  static LabState &instance();

  std::recursive_mutex &mutex() { return mutex_; }
  // Fails with the reason when the fleet file cannot be read.
  Fleet &fleet();
  const LocalNames &local() const { return local_; }
  // The lab's folder: %QV_LAB_HOME%, else the folder of the lab DLL.
  const std::wstring &home() const { return home_; }
  static Date now();
  // Milliseconds of a steady clock: when pending service states settle.
  static int64_t clockMs();

  static void setModule(HMODULE module);

private:
  LabState();
  std::recursive_mutex mutex_;
  std::wstring home_;
  LocalNames local_;
  bool loaded_ = false;
  std::string failure_;
  Fleet fleet_;
};

// Reads a whole file; false when it cannot be opened.
bool readWholeFile(const std::wstring &path, std::string &contents);

// The host's own computer and workgroup names.
LocalNames hostNames();

} // namespace qv::lab
