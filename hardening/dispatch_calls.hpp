#pragma once
// Late-bound calls as a script engine makes them: the member's DISPID looked
// up by name on every call, arguments in reverse order, exception
// information received and freed. Shared by the soak and the two-apartment
// test; header only, so both build from a single source file each.

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/com_ptr.hpp"
#include "platform/win32/handle.hpp"
#include "platform/win32/variant_value.hpp"
#include "tests/support/checks.hpp"

namespace qv::hardening {

using win32::ComPtr;
using win32::VariantValue;

// The three texts an EXCEPINFO may carry, freed with it.
class ExceptionInfo {
public:
  ExceptionInfo() = default;
  ExceptionInfo(const ExceptionInfo &) = delete;
  ExceptionInfo &operator=(const ExceptionInfo &) = delete;
  ~ExceptionInfo() {
    SysFreeString(info_.bstrSource);
    SysFreeString(info_.bstrDescription);
    SysFreeString(info_.bstrHelpFile);
  }
  EXCEPINFO *get() { return &info_; }
  HRESULT code() const { return info_.scode; }

private:
  EXCEPINFO info_{};
};

// A value argument of one type, held in the VARIANT's field for it; the
// VariantValue owns whatever it holds.
template <class Field, class T> VariantValue typed(VARTYPE type, Field field, T value) {
  VariantValue v;
  V_VT(v.get()) = type;
  (*v.get()).*field = value;
  return v;
}
inline VariantValue text(const wchar_t *value) {
  return typed(VT_BSTR, &VARIANT::bstrVal, SysAllocString(value));
}
inline VariantValue whole(long value) { return typed(VT_I4, &VARIANT::lVal, value); }
inline VariantValue real(double value) { return typed(VT_R8, &VARIANT::dblVal, value); }
inline VariantValue date(double value) { return typed(VT_DATE, &VARIANT::date, value); }
inline VariantValue truth(bool value) {
  return typed(VT_BOOL, &VARIANT::boolVal, static_cast<VARIANT_BOOL>(value ? VARIANT_TRUE : VARIANT_FALSE));
}
// A reference to the caller's variable, as a script passes a variable.
inline VariantValue byRef(VariantValue &target) {
  VariantValue v;
  V_VT(v.get()) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(v.get()) = target.get();
  return v;
}

struct Outcome {
  HRESULT hr = S_OK;
  HRESULT scode = S_OK; // the error's own code when hr is DISP_E_EXCEPTION
  VariantValue value;
};

// Calls name on object with args in call order. flags: DISPATCH_METHOD,
// DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT or DISPATCH_PROPERTYPUTREF (the
// value assigned is the last arg).
inline Outcome invoke(IDispatch *object, const wchar_t *name, WORD flags,
                      std::vector<VariantValue> args = {}) {
  Outcome outcome;
  DISPID id = DISPID_UNKNOWN;
  auto *member = const_cast<LPOLESTR>(name);
  outcome.hr = object->GetIDsOfNames(IID_NULL, &member, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(outcome.hr)) return outcome;

  std::vector<VARIANT> reversed;
  reversed.reserve(args.size());
  for (std::size_t i = args.size(); i-- > 0;)
    reversed.push_back(*args[i].get()); // shallow: args keep ownership
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  DISPID putId = DISPID_PROPERTYPUT;
  const bool assignment = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  if (assignment) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  ExceptionInfo exception;
  UINT badArgument = 0;
  outcome.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                              assignment ? nullptr : outcome.value.put(), exception.get(), &badArgument);
  outcome.scode = outcome.hr == DISP_E_EXCEPTION ? exception.code() : outcome.hr;
  return outcome;
}

inline Outcome call(IDispatch *object, const wchar_t *name, std::vector<VariantValue> args = {}) {
  return invoke(object, name, DISPATCH_METHOD, std::move(args));
}
inline Outcome get(IDispatch *object, const wchar_t *name, std::vector<VariantValue> args = {}) {
  return invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(args));
}
inline Outcome put(IDispatch *object, const wchar_t *name, VariantValue value) {
  std::vector<VariantValue> args;
  args.push_back(std::move(value));
  return invoke(object, name, DISPATCH_PROPERTYPUT, std::move(args));
}

// Walks a collection in For Each order, handing visit each item; false when
// it gives no enumerator.
template <class Visit> bool forEachItem(IDispatch *collection, Visit visit) {
  Outcome o = invoke(collection, L"_NewEnum", DISPATCH_METHOD | DISPATCH_PROPERTYGET);
  if (o.value.type() != VT_UNKNOWN) return false;
  ComPtr<IEnumVARIANT> walk;
  V_UNKNOWN(o.value.get())->QueryInterface(IID_IEnumVARIANT, walk.putVoid());
  VariantValue item;
  ULONG fetched = 0;
  while (walk && walk->Next(1, item.put(), &fetched) == S_OK)
    visit(item);
  return static_cast<bool>(walk);
}

// A new object of a class, by its programmatic name; null when it cannot be
// made.
inline ComPtr<IDispatch> create(const wchar_t *progId) {
  CLSID clsid;
  ComPtr<IDispatch> object;
  if (FAILED(CLSIDFromProgID(progId, &clsid))) return object;
  CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.putVoid());
  return object;
}

// The object an outcome holds, with a reference of its own.
inline ComPtr<IDispatch> objectOf(const Outcome &outcome) {
  if (outcome.value.type() != VT_DISPATCH) return {};
  return ComPtr<IDispatch>(V_DISPATCH(outcome.value.get()));
}

inline std::string narrow(const VARIANT &value) {
  VariantValue asText;
  if (FAILED(VariantChangeType(asText.get(), const_cast<VARIANT *>(&value), 0, VT_BSTR))) return "?";
  const BSTR wide = V_BSTR(asText.get());
  int length = WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(SysStringLen(wide)), nullptr, 0,
                                   nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(SysStringLen(wide)), out.data(), length, nullptr,
                      nullptr);
  return out;
}

// The process's committed private memory. Wine fills PagefileUsage and
// leaves PrivateUsage at 0.
inline SIZE_T privateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&counters),
                       sizeof counters);
  return counters.PagefileUsage;
}

// Threads of this process, or -1.
inline long threadCount() {
  platform::Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return -1;
  long count = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  return count;
}

using check::Checks;

inline std::string hex(HRESULT hr) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(hr));
  return buffer;
}

} // namespace qv::hardening
