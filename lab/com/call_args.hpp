#pragma once
// The arguments of one IDispatch call, in call order, read with the
// automation conversions and written back when the caller passed a
// variable by reference.

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <vector>

#include "lab/model/value.hpp"
#include "platform/win32/variant_value.hpp"

namespace qv::lab {

// A failure that goes back as a bare HRESULT, so the script engine shows
// its own text (a wrong argument count, an argument of the wrong type).
struct DispatchFailure {
  HRESULT hr;
  UINT argument = 0;
};

class CallArgs {
public:
  CallArgs(DISPPARAMS *params, WORD flags);

  std::size_t count() const { return args_.size(); }
  // Omitted trailing arguments and VBScript's gaps (DISP_E_PARAMNOTFOUND).
  bool present(std::size_t i) const;
  void require(std::size_t least, std::size_t most) const;

  const VARIANT &raw(std::size_t i) const { return *args_[i]; }
  std::string text(std::size_t i) const;
  int32_t int32(std::size_t i) const;
  Value value(std::size_t i) const;
  // The value of a property assignment.
  const VARIANT *assigned() const { return assigned_; }

  // Writes into the caller's variable; arguments passed by value are left.
  void writeBack(std::size_t i, const Value &value);
  void writeBack(std::size_t i, IDispatch *object);

private:
  win32::VariantValue plain(std::size_t i, VARTYPE type) const;
  std::vector<VARIANT *> args_;
  VARIANT *assigned_ = nullptr;
};

} // namespace qv::lab
