#include "platform/win32/adsi_directory.hpp"

#include "platform/win32/bstr.hpp"
#include "platform/win32/late_bound.hpp"
#include "platform/win32/platform_error.hpp"
#include "platform/win32/variant_convert.hpp"

namespace qv::win32 {
namespace {

VariantValue toPlatform(const Variant &value) {
  VariantValue converted;
  toVariant(value, converted.get());
  return converted;
}

VariantValue textValue(std::string_view text) {
  VariantValue value;
  V_BSTR(value.get()) = Bstr(text).detach();
  V_VT(value.get()) = VT_BSTR;
  return value;
}

class AdsiObject : public DirectoryObject {
public:
  explicit AdsiObject(ComPtr<IDispatch> object) : object_(std::move(object)) {}

  Variant get(std::string_view property) override {
    return fromVariant(*getProperty(object_.get(), property).get());
  }

  void put(std::string_view property, const Variant &value) override {
    putProperty(object_.get(), property, *toPlatform(value).get());
  }

  void setInfo() override { callMethod(object_.get(), "SetInfo"); }

  DirectoryObjectPtr child(std::string_view className, std::string_view name) override {
    std::vector<VariantValue> args{textValue(className), textValue(name)};
    VariantValue found = callMethod(object_.get(), "GetObject", args);
    return std::make_shared<AdsiObject>(dispatchIn(found));
  }

  std::vector<DirectoryObjectPtr> children(const std::vector<std::string> &filter) override {
    if (!filter.empty()) {
      VariantArray classes;
      for (const auto &name : filter)
        classes.items.emplace_back(name);
      putProperty(object_.get(), "Filter", *toPlatform(Variant(std::move(classes))).get());
    }
    ComPtr<IEnumVARIANT> items = enumeratorOf(object_.get());
    std::vector<DirectoryObjectPtr> result;
    for (;;) {
      VariantValue item;
      ULONG fetched = 0;
      forgetErrorInfo();
      HRESULT hr = items->Next(1, item.get(), &fetched);
      if (FAILED(hr)) throwPlatformError(hr);
      if (hr != S_OK || fetched == 0) break;
      result.push_back(std::make_shared<AdsiObject>(dispatchIn(item)));
    }
    return result;
  }

  Variant call(std::string_view method, std::vector<Variant> &args) override {
    std::vector<VariantValue> platformArgs;
    platformArgs.reserve(args.size());
    for (const auto &arg : args)
      platformArgs.push_back(toPlatform(arg));
    VariantValue result = callMethod(object_.get(), method, platformArgs);
    for (std::size_t i = 0; i < args.size(); ++i)
      args[i] = fromVariant(*platformArgs[i].get());
    return fromVariant(*result.get());
  }

private:
  ComPtr<IDispatch> object_;
};

class AdsiDirectory : public Directory {
public:
  DirectoryObjectPtr bind(std::string_view path) override {
    return std::make_shared<AdsiObject>(bindDisplayName(path));
  }
};

} // namespace

std::shared_ptr<Directory> makeAdsiDirectory() { return std::make_shared<AdsiDirectory>(); }

} // namespace qv::win32
