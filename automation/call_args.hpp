#pragma once
// The arguments of one IDispatch call, read in call order (DISPPARAMS holds
// them last to first). Every argument may arrive as a plain value or by
// reference (VT_BYREF|VT_VARIANT from scripts, VT_BYREF|VT_BSTR or
// VT_BYREF|VT_I4 from typed clients); an omitted optional argument is either
// absent or VT_ERROR DISP_E_PARAMNOTFOUND. Conversions follow the scripting
// runtime's rules under the object's regional settings.

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "automation/com_bridge.hpp"
#include "core/collection.hpp"
#include "core/variant.hpp"

namespace qv::com {

class CallArgs {
public:
  CallArgs(const DISPPARAMS &params, const ComBridge &bridge);
  CallArgs(const CallArgs &) = delete;
  CallArgs &operator=(const CallArgs &) = delete;

  std::size_t count() const { return count_; }
  // Passed and not a gap.
  bool given(std::size_t index) const;
  // The raw argument; null when index is past the last one.
  const VARIANT *raw(std::size_t index) const;

  Variant value(std::size_t index) const; // Empty when not given
  std::string text(std::size_t index) const;
  int32_t int32(std::size_t index) const;
  double number(std::size_t index) const;
  Date date(std::size_t index) const;
  bool flag(std::size_t index) const;
  // A collection or Nothing (null); any other value fails with 13.
  CollectionPtr collection(std::size_t index) const;
  // Any object or Nothing (null); any other value fails with 13.
  ObjectPtr object(std::size_t index) const;

  std::optional<std::string> optionalText(std::size_t index) const;
  std::optional<int32_t> optionalInt32(std::size_t index) const;

  // Arguments the method writes into. The reference stays valid for the
  // call; writeBack stores its value in the caller's variable with its
  // declared type, as a by-reference parameter of that type is copied back
  // whether or not the method changed it.
  std::string &textRef(std::size_t index);
  int32_t &int32Ref(std::size_t index);
  int32_t *optionalInt32Ref(std::size_t index); // null when not given

  // Runs after the method, whether it succeeded or failed.
  void writeBack() noexcept;

private:
  using Slot = std::variant<std::string, int32_t>;
  struct Binding {
    std::size_t index;
    Slot current;
  };
  Binding &bind(std::size_t index, Slot initial);

  const DISPPARAMS &params_;
  const ComBridge &bridge_;
  std::size_t count_;
  std::vector<std::unique_ptr<Binding>> bindings_;
};

} // namespace qv::com
