#pragma once
// The hardware and operating-system inventory of one computer, read through
// its management service. No state: every call names its computer, connects
// anew and returns a fresh collection.

#include <string>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv {

class ServerInfo {
public:
  explicit ServerInfo(Platform platform);

  // Each reports a failure with its own message followed by computer.
  CollectionPtr getNicInfo(const std::string &computer);
  CollectionPtr logicalDriveInfo(const std::string &computer);
  CollectionPtr cpuInfo(const std::string &computer);
  CollectionPtr osInfo(const std::string &computer);
  CollectionPtr hotFixStatus(const std::string &computer);
  CollectionPtr getInfo(const std::string &computer);

private:
  Platform platform_;
};

} // namespace qv
