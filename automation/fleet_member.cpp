#include "automation/fleet_member.hpp"

#include <algorithm>

#include "automation/com_bridge.hpp"
#include "automation/dispatch_support.hpp"
#include "automation/member_table.hpp"
#include "automation/module_state.hpp"
#include "fleet/fleet_targets.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/com_ptr.hpp"
#include "platform/win32/platform_error.hpp"
#include "platform/win32/variant_value.hpp"

namespace qv::com {
namespace {

using win32::Bstr;
using win32::ComPtr;
using win32::VariantValue;

[[noreturn]] void refuse(const std::string &why) { throw runtimeError(kInvalidCall, "Run: " + why); }

std::wstring wide(const std::string &text) { return std::wstring(text.begin(), text.end()); }

std::string narrow(const wchar_t *text) {
  std::string result;
  for (; text && *text; ++text)
    result += static_cast<char>(*text < 0x80 ? *text : '?');
  return result;
}

const CreatableClass *findClass(const std::string &className) {
  std::wstring wanted = foldName(wide(className).c_str());
  for (const auto &entry : creatableClasses()) {
    std::wstring progId = foldName(entry.progId);
    if (progId == wanted || progId == L"quorvane." + wanted) return &entry;
  }
  return nullptr;
}

ComPtr<ITypeInfo> interfaceOf(const CreatableClass &entry) {
  ComPtr<ITypeInfo> coclass;
  win32::check(typeInfoOf(*entry.clsid, coclass.put()));
  HREFTYPE reference = 0;
  win32::check(coclass->GetRefTypeOfImplType(0, &reference));
  ComPtr<ITypeInfo> dispatch;
  win32::check(coclass->GetRefTypeInfo(reference, dispatch.put()));
  return dispatch;
}

std::vector<std::string> parameterNames(ITypeInfo *info, const FUNCDESC &function) {
  std::vector<BSTR> names(static_cast<std::size_t>(function.cParams) + 1, nullptr);
  UINT count = 0;
  info->GetNames(function.memid, names.data(), static_cast<UINT>(names.size()), &count);
  std::vector<std::string> parameters;
  for (UINT i = 0; i < count; ++i) {
    Bstr owned = Bstr::adopt(names[i]);
    if (i > 0) parameters.push_back(narrow(owned.get()));
  }
  return parameters;
}

void invoke(IDispatch *object, DISPID id, WORD flags, std::vector<VariantValue> &args, VARIANT *result) {
  // DISPPARAMS holds the arguments last to first.
  std::vector<VARIANT> reversed(args.size());
  for (std::size_t i = 0; i < args.size(); ++i)
    reversed[args.size() - 1 - i] = *args[i].get();
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  EXCEPINFO info{};
  UINT wrong = 0;
  win32::forgetErrorInfo();
  HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &info, &wrong);
  if (FAILED(hr)) win32::throwPlatformError(hr, &info);
}

VariantValue textValue(const std::string &text, const ComBridge &bridge) {
  VariantValue value;
  win32::toVariant(Variant(text), value.put(), bridge);
  return value;
}

} // namespace

FleetMember findFleetMember(const std::string &className, const std::string &memberName) {
  FleetMember member;
  member.entry = findClass(className);
  if (!member.entry) refuse("no class " + className);
  ComPtr<ITypeInfo> info = interfaceOf(*member.entry);
  TYPEATTR *attributes = nullptr;
  win32::check(info->GetTypeAttr(&attributes));
  std::wstring wanted = foldName(wide(memberName).c_str());
  bool found = false;
  std::vector<std::string> names;
  std::vector<bool> optional;
  for (UINT i = 0; i < attributes->cFuncs; ++i) {
    FUNCDESC *function = nullptr;
    if (FAILED(info->GetFuncDesc(i, &function))) continue;
    Bstr name;
    info->GetDocumentation(function->memid, name.put(), nullptr, nullptr, nullptr);
    std::wstring folded = foldName(name.get());
    if (function->invkind == INVOKE_PROPERTYPUT && folded == L"setworkgroup")
      member.setWorkgroup = function->memid;
    if (function->invkind == INVOKE_PROPERTYPUT && folded == L"setcomputername")
      member.setComputerName = function->memid;
    if (!found && folded == wanted &&
        (function->invkind == INVOKE_FUNC || function->invkind == INVOKE_PROPERTYGET)) {
      found = true;
      member.name = narrow(name.get());
      member.id = function->memid;
      member.flags = function->invkind == INVOKE_FUNC ? DISPATCH_METHOD : DISPATCH_PROPERTYGET;
      for (SHORT p = 0; p < function->cParams; ++p)
        optional.push_back((function->lprgelemdescParam[p].paramdesc.wParamFlags & PARAMFLAG_FOPT) != 0);
      names = parameterNames(info.get(), *function);
    }
    info->ReleaseFuncDesc(function);
  }
  info->ReleaseTypeAttr(attributes);
  if (!found) refuse(narrow(member.entry->progId) + " has no member " + memberName);
  if (member.setWorkgroup == DISPID_UNKNOWN || member.setComputerName == DISPID_UNKNOWN) {
    member.target = fleet::targetParameter(names);
    if (!member.target) refuse(member.name + " of " + narrow(member.entry->progId) + " takes no computer");
  }
  for (std::size_t p = 0; p < optional.size(); ++p) {
    if (member.target && p == *member.target) continue;
    ++member.total;
    if (!optional[p]) ++member.required;
  }
  return member;
}

Variant HostCaller::call(const std::string &computer) {
  if (!platform_) platform_ = hostPlatform();
  ComBridge bridge(platform_->regional);
  std::optional<fleet::WorkgroupTarget> target;
  if (!member_.target) target = fleet::splitWorkgroupTarget(computer);
  if (!object_ || (target && !target->workgroup)) object_ = member_.entry->create(*platform_);
  IDispatch *object = object_.get();
  if (target) {
    std::vector<VariantValue> value;
    if (target->workgroup) {
      value.push_back(textValue(*target->workgroup, bridge));
      invoke(object, member_.setWorkgroup, DISPATCH_PROPERTYPUT, value, nullptr);
      value.clear();
    }
    value.push_back(textValue(target->computer, bridge));
    invoke(object, member_.setComputerName, DISPATCH_PROPERTYPUT, value, nullptr);
  }
  const std::vector<Variant> &args = *args_;
  std::vector<VariantValue> values;
  std::size_t next = 0;
  std::size_t count = args.size() + (member_.target ? 1 : 0);
  for (std::size_t position = 0; position < count; ++position) {
    if (member_.target && position == *member_.target) {
      values.push_back(textValue(computer, bridge));
    } else {
      VariantValue value;
      win32::toVariant(args[next++], value.put(), bridge);
      values.push_back(std::move(value));
    }
  }
  VariantValue result;
  invoke(object, member_.id, member_.flags, values, result.put());
  return win32::fromVariant(*result.get(), bridge);
}

} // namespace qv::com
