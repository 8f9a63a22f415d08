#pragma once
// The management service of a lab computer as its scripting objects: the
// service (InstancesOf, ExecQuery), result sets walked lazily, instances
// with their properties by name, and the methods of Win32_Process, called
// directly (GetOwner(user, domain), Terminate(reason)) or through
// ExecMethod_ with parameter objects (Methods_, InParameters,
// SpawnInstance_).

#include <functional>
#include <memory>

#include "lab/com/dispatch_base.hpp"
#include "lab/model/management.hpp"

namespace qv::lab {

class WmiService final : public LabDispatch {
public:
  const Computer *boundHost() const override { return &computer_; }
  const Computer *callHost() const override { return &computer_; }
  WmiService(Computer &computer, Privileges privileges);

protected:
  DISPID memberId(std::string_view name) override;
  void call(DISPID id, WORD flags, CallArgs &args, VARIANT &result) override;

private:
  Computer &computer_;
  Privileges privileges_;
};

} // namespace qv::lab
