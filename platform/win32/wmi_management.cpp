#include "platform/win32/wmi_management.hpp"

#include "platform/win32/bstr.hpp"
#include "platform/win32/late_bound.hpp"
#include "platform/win32/platform_error.hpp"
#include "platform/win32/variant_convert.hpp"
#include "platform/win32/wmi_method_call.hpp"

namespace qv::win32 {
namespace {

class WmiObject : public ManagementObject {
public:
  explicit WmiObject(ComPtr<IDispatch> object) : object_(std::move(object)) {}

  Variant get(std::string_view property) override {
    return fromVariant(*getProperty(object_.get(), property).get());
  }

  Variant call(std::string_view method, std::vector<Variant> &args) override {
    return callManagementMethod(object_.get(), method, args, plainBridge());
  }

private:
  ComPtr<IDispatch> object_;
};

// Takes one item at a time from the set's enumerator, so a caller that
// stops early never makes the service deliver the rest.
class WmiResultSet : public ResultSet {
public:
  explicit WmiResultSet(ComPtr<IDispatch> set) : set_(std::move(set)), items_(enumeratorOf(set_.get())) {}

  ManagementObjectPtr next() override {
    if (!items_) return nullptr;
    VariantValue item;
    ULONG fetched = 0;
    forgetErrorInfo();
    HRESULT hr = items_->Next(1, item.get(), &fetched);
    if (FAILED(hr)) throwPlatformError(hr);
    if (hr != S_OK || fetched == 0) {
      items_.reset();
      return nullptr;
    }
    return std::make_shared<WmiObject>(dispatchIn(item));
  }

private:
  ComPtr<IDispatch> set_;
  ComPtr<IEnumVARIANT> items_;
};

class WmiService : public ManagementService {
public:
  explicit WmiService(ComPtr<IDispatch> service) : service_(std::move(service)) {}

  std::unique_ptr<ResultSet> instancesOf(std::string_view className) override {
    return query("InstancesOf", className);
  }
  std::unique_ptr<ResultSet> execQuery(std::string_view wql) override { return query("ExecQuery", wql); }

private:
  std::unique_ptr<ResultSet> query(std::string_view method, std::string_view text) {
    std::vector<VariantValue> args(1);
    V_BSTR(args[0].get()) = Bstr(text).detach();
    V_VT(args[0].get()) = VT_BSTR;
    VariantValue set = callMethod(service_.get(), method, args);
    return std::make_unique<WmiResultSet>(dispatchIn(set));
  }

  ComPtr<IDispatch> service_;
};

class WmiManagement : public Management {
public:
  std::shared_ptr<ManagementService> connect(std::string_view moniker) override {
    return std::make_shared<WmiService>(bindDisplayName(moniker));
  }
};

} // namespace

std::shared_ptr<Management> makeWmiManagement() { return std::make_shared<WmiManagement>(); }

} // namespace qv::win32
