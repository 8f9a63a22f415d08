#include "automation/script_array.hpp"

#include <dispex.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/convert.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/com_ptr.hpp"
#include "platform/win32/late_bound.hpp"
#include "platform/win32/platform_error.hpp"
#include "platform/win32/variant_convert.hpp"
#include "platform/win32/variant_value.hpp"

namespace qv::com {
namespace {

// IID_IDispatchEx; not every import library of the toolchain defines it.
constexpr IID kDispatchEx = {0xA6EF9860, 0xC720, 0x11D0, {0x93, 0x37, 0x00, 0xA0, 0xC9, 0x0D, 0xCA, 0xA9}};

// A property read alone: a script engine takes DISPATCH_METHOD as a call.
Variant propertyAt(IDispatch *object, DISPID id) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXCEPINFO info{};
  win32::VariantValue value;
  win32::forgetErrorInfo();
  HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.put(),
                              &info, nullptr);
  if (FAILED(hr)) win32::throwPlatformError(hr, &info);
  return win32::fromVariant(*value.get());
}

// An array index as a script names it: decimal digits without a leading
// zero, below 2^32 - 1.
std::optional<uint32_t> arrayIndex(const wchar_t *name) {
  if (!name || !*name || (name[0] == L'0' && name[1])) return std::nullopt;
  uint64_t value = 0;
  for (const wchar_t *c = name; *c; ++c) {
    if (*c < L'0' || *c > L'9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(*c - L'0');
    if (value >= 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

std::optional<std::vector<Variant>> listedEntries(IDispatch *array) {
  win32::ComPtr<IDispatchEx> members;
  if (FAILED(array->QueryInterface(kDispatchEx, reinterpret_cast<void **>(members.put()))) || !members)
    return std::nullopt;
  std::vector<std::pair<uint32_t, DISPID>> entries;
  DISPID id = DISPID_STARTENUM;
  while (members->GetNextDispID(fdexEnumAll, id, &id) == S_OK) {
    win32::Bstr name;
    if (FAILED(members->GetMemberName(id, name.put()))) continue;
    if (auto index = arrayIndex(name.get())) entries.emplace_back(*index, id);
  }
  std::sort(entries.begin(), entries.end());
  std::vector<Variant> items;
  items.reserve(entries.size());
  for (const auto &entry : entries)
    items.push_back(propertyAt(array, entry.second));
  return items;
}

} // namespace

std::vector<Variant> scriptArrayItems(IDispatch *array) {
  if (auto listed = listedEntries(array)) return std::move(*listed);
  std::vector<Variant> items;
  int32_t length = toInt32(propertyAt(array, win32::memberId(array, "length")));
  // No reserve: the length is the script's word, not a count of entries.
  for (int32_t index = 0; index < length; ++index)
    items.push_back( // NOLINT(performance-inefficient-vector-operation)
        propertyAt(array, win32::memberId(array, std::to_string(index))));
  return items;
}

} // namespace qv::com
