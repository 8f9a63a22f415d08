#include "tests/fakes/fake_management.hpp"

#include "core/collection.hpp"
#include "core/convert.hpp"

namespace qv::fake {

Variant WmiObject::get(std::string_view property) {
  if (Variant *value = entryNamed(properties_, property)) return *value;
  throw runtimeError(kNoSuchMember);
}

Variant WmiObject::call(std::string_view method, std::vector<Variant> &args) {
  auto found = methods_.find(method);
  if (found == methods_.end()) throw runtimeError(kNoSuchMember);
  calls.push_back(found->first); // as registered
  return found->second(args);
}

ManagementObjectPtr GeneratedSet::next() {
  ManagementObjectPtr item = generator_(index_);
  if (item) {
    ++index_;
    ++*taken_;
  }
  return item;
}

WmiService &WmiService::addQuery(std::string wql, std::vector<WmiObjectPtr> list) {
  auto shared = std::make_shared<std::vector<WmiObjectPtr>>(std::move(list));
  return addQuery(std::move(wql), [shared](std::size_t i) -> ManagementObjectPtr {
    return i < shared->size() ? (*shared)[i] : nullptr;
  });
}

std::unique_ptr<ResultSet> WmiService::serve(const std::string &request, GeneratedSet::Generator generator) {
  auto &counter = taken_[request];
  if (!counter) counter = std::make_shared<std::size_t>(0);
  return std::make_unique<GeneratedSet>(std::move(generator), counter);
}

std::unique_ptr<ResultSet> WmiService::instancesOf(std::string_view className) {
  std::string request = "InstancesOf " + std::string(className);
  queries.push_back(request);
  if (failure_) throw *failure_;
  auto found = classes_.find(foldKey(className));
  if (found == classes_.end()) throw wmiError(kWbemInvalidClass, "Invalid class ");
  auto list = found->second;
  return serve(request,
               [list](std::size_t i) -> ManagementObjectPtr { return i < list.size() ? list[i] : nullptr; });
}

std::unique_ptr<ResultSet> WmiService::execQuery(std::string_view wql) {
  std::string request(wql);
  queries.push_back(request);
  if (failure_) throw *failure_;
  auto found = queries_.find(request);
  if (found != queries_.end()) return serve(request, found->second);
  if (handler_) {
    if (auto set = handler_(wql)) return set;
  }
  throw wmiError(kWbemInvalidQuery, "Invalid query ");
}

std::size_t WmiService::taken(const std::string &request) const {
  auto found = taken_.find(request);
  return found == taken_.end() ? 0 : *found->second;
}

std::shared_ptr<WmiService> Management::service(const std::string &moniker) {
  auto &slot = services_[moniker];
  if (!slot) slot = std::make_shared<WmiService>();
  return slot;
}

std::shared_ptr<ManagementService> Management::connect(std::string_view moniker) {
  connects.emplace_back(moniker);
  auto found = services_.find(std::string(moniker));
  if (found == services_.end()) throw wmiError(kRpcUnavailable, "The RPC server is unavailable. ");
  return found->second;
}

} // namespace qv::fake
