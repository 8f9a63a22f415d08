#pragma once
// In-memory management service for tests. Like the real service it delivers
// 64-bit values as text, dates as date-time text and missing values as Null
// (the test sets them so); properties match without regard to case; a
// member the object lacks fails with 438. Counters let a test prove how much
// of a result set was read.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/automation_error.hpp"
#include "core/collection.hpp"
#include "core/management.hpp"
#include "tests/fakes/named_entries.hpp"

namespace qv::fake {

// Platform-like failures.
inline constexpr int32_t kWbemInvalidClass = static_cast<int32_t>(0x80041010);
inline constexpr int32_t kWbemInvalidQuery = static_cast<int32_t>(0x80041017);
inline constexpr int32_t kRpcUnavailable = static_cast<int32_t>(0x800706BA);
inline AutomationError wmiError(int32_t number, std::string description) {
  return AutomationError(number, "SWbemServicesEx", std::move(description));
}

class WmiObject : public ManagementObject {
public:
  using Method = std::function<Variant(std::vector<Variant> &args)>;

  WmiObject() = default;
  WmiObject(std::initializer_list<NamedEntries<Variant>::value_type> properties) : properties_(properties) {}

  WmiObject &set(std::string name, Variant value) {
    properties_.insert_or_assign(std::move(name), std::move(value));
    return *this;
  }
  WmiObject &method(std::string name, Method body) {
    methods_.insert_or_assign(std::move(name), std::move(body));
    return *this;
  }

  Variant get(std::string_view property) override;
  Variant call(std::string_view method, std::vector<Variant> &args) override;

  std::vector<std::string> calls; // method names called, in order

private:
  NamedEntries<Variant> properties_;
  NamedEntries<Method> methods_;
};

using WmiObjectPtr = std::shared_ptr<WmiObject>;

// A lazy set: item(i) makes the i-th instance or returns null past the end.
class GeneratedSet : public ResultSet {
public:
  using Generator = std::function<ManagementObjectPtr(std::size_t index)>;
  GeneratedSet(Generator generator, std::shared_ptr<std::size_t> taken)
      : generator_(std::move(generator)), taken_(std::move(taken)) {}
  ManagementObjectPtr next() override;

private:
  Generator generator_;
  std::shared_ptr<std::size_t> taken_;
  std::size_t index_ = 0;
};

class WmiService : public ManagementService {
public:
  // Instances of a class (class names match without regard to case).
  WmiService &addInstance(const std::string &className, WmiObjectPtr instance) {
    classes_[foldKey(className)].push_back(std::move(instance));
    return *this;
  }
  // Declares a class with no instances (its set is empty, not an error).
  WmiService &declareClass(const std::string &className) {
    classes_[foldKey(className)];
    return *this;
  }
  // The exact query text and the instances it gives.
  WmiService &addQuery(std::string wql, std::vector<WmiObjectPtr> instances);
  // The exact query text and a lazy generator of its instances.
  WmiService &addQuery(std::string wql, GeneratedSet::Generator generator) {
    queries_[std::move(wql)] = std::move(generator);
    return *this;
  }
  // Any query text not registered: answered by handler (null: invalid query).
  WmiService &onQuery(std::function<std::unique_ptr<ResultSet>(std::string_view)> handler) {
    handler_ = std::move(handler);
    return *this;
  }
  // Every call fails with this error (an unreachable computer).
  WmiService &failWith(AutomationError error) {
    failure_ = std::move(error);
    return *this;
  }

  std::unique_ptr<ResultSet> instancesOf(std::string_view className) override;
  std::unique_ptr<ResultSet> execQuery(std::string_view wql) override;

  std::vector<std::string> queries; // query texts and "InstancesOf <class>", in order
  // Items taken from the sets of a query text or "InstancesOf <class>".
  std::size_t taken(const std::string &request) const;

private:
  std::unique_ptr<ResultSet> serve(const std::string &request, GeneratedSet::Generator generator);

  std::map<std::string, std::vector<WmiObjectPtr>> classes_; // folded name
  std::map<std::string, GeneratedSet::Generator> queries_;
  std::function<std::unique_ptr<ResultSet>(std::string_view)> handler_;
  std::map<std::string, std::shared_ptr<std::size_t>> taken_;
  std::optional<AutomationError> failure_;
};

class Management : public qv::Management {
public:
  // The service a moniker reaches ("winmgmts://host", "WinMgmts:").
  std::shared_ptr<WmiService> service(const std::string &moniker);
  std::shared_ptr<ManagementService> connect(std::string_view moniker) override;

  std::vector<std::string> connects; // monikers, in order

private:
  std::map<std::string, std::shared_ptr<WmiService>> services_;
};

inline std::vector<WmiObjectPtr> instances(std::initializer_list<WmiObjectPtr> list) { return list; }

} // namespace qv::fake
