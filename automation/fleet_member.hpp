#pragma once
// The member a fleet runs and one call of it on one computer. Where the
// computer goes is read from the type library: the parameter named for the
// target, or for the classes that keep their target in setWorkgroup and
// setComputerName, those two properties.

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/class_catalog.hpp"
#include "core/platform.hpp"
#include "core/variant.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::com {

struct FleetMember {
  const CreatableClass *entry = nullptr;
  std::string name; // as the type library spells it
  DISPID id = DISPID_UNKNOWN;
  WORD flags = DISPATCH_METHOD;
  std::size_t required = 0; // arguments a call takes besides the computer
  std::size_t total = 0;
  std::optional<std::size_t> target; // none: set through the two properties
  DISPID setWorkgroup = DISPID_UNKNOWN;
  DISPID setComputerName = DISPID_UNKNOWN;
};

// className as "ServerInfo" or "Quorvane.ServerInfo", in any case. An
// unknown class or member, or a member that takes no computer, fails with 5.
FleetMember findFleetMember(const std::string &className, const std::string &memberName);

// Calls the member for one worker, host after host, on the worker's thread:
// one host platform and one object for all its hosts (a new object only
// where a host names no workgroup, so no earlier host's workgroup stays
// set), the computer in its place and args in the other parameters in
// order. Results hold only core values.
class HostCaller {
public:
  HostCaller(FleetMember member, std::shared_ptr<const std::vector<Variant>> args)
      : member_(std::move(member)), args_(std::move(args)) {}

  Variant call(const std::string &computer);

private:
  FleetMember member_;
  std::shared_ptr<const std::vector<Variant>> args_;
  std::optional<Platform> platform_;
  win32::ComPtr<IDispatch> object_;
};

} // namespace qv::com
