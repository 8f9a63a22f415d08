#pragma once
// What the class logic asks of the management instrumentation service. The
// logic reaches the service only through these operations, so any provider
// can serve them. Every failure is an AutomationError with the platform's
// number and description.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/variant.hpp"

namespace qv {

class ManagementObject : public Object {
public:
  // A property by name, matched without regard to case. Missing: 438.
  virtual Variant get(std::string_view property) = 0;
  // A method call. args are in/out: outputs are written back into them.
  virtual Variant call(std::string_view method, std::vector<Variant> &args) = 0;
};

using ManagementObjectPtr = std::shared_ptr<ManagementObject>;

// A result set walked lazily in the service's order: taking the first item
// must not read the rest.
class ResultSet {
public:
  virtual ~ResultSet() = default;
  // The next instance, or null at the end.
  virtual ManagementObjectPtr next() = 0;
};

class ManagementService {
public:
  virtual ~ManagementService() = default;
  virtual std::unique_ptr<ResultSet> instancesOf(std::string_view className) = 0;
  virtual std::unique_ptr<ResultSet> execQuery(std::string_view wql) = 0;
};

class Management {
public:
  virtual ~Management() = default;
  // "winmgmts://" + computer, or "WinMgmts:" for the local computer.
  virtual std::shared_ptr<ManagementService> connect(std::string_view moniker) = 0;
};

// The moniker of a target computer, exactly as the caller passed it.
inline std::string managementMoniker(std::string_view computer) {
  return "winmgmts://" + std::string(computer);
}
inline constexpr const char *kLocalManagementMoniker = "WinMgmts:";

// The first instance of a set, or null when it is empty.
inline ManagementObjectPtr firstOf(ResultSet &set) { return set.next(); }

} // namespace qv
