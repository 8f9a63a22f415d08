#pragma once
// The parts of IDispatch that do not depend on the class: choosing between
// call, put and putref from the flags and arguments, name lookup results,
// and the type information kept in the module's type library.

#include <windows.h>

#include <oaidl.h>

#include "automation/member_table.hpp"
#include "core/automation_error.hpp"

namespace qv::com {

enum class Access { Call, Put, PutRef };

struct Offers {
  bool call;
  bool put;
  bool putRef;
};

// S_OK and the access to run, or the HRESULT that refuses the call (a get
// of a write-only property, a wrong argument count, a missing required
// argument, named arguments other than a put's value).
HRESULT chooseAccess(const MemberInfo &member, Offers offers, WORD flags, const DISPPARAMS &params,
                     Access &access);

// GetIDsOfNames for one member name; further names (named arguments) are
// not supported.
HRESULT answerNames(DISPID found, UINT count, DISPID *ids);

// The type information of an interface from the module's type library.
HRESULT typeInfoOf(REFIID iid, ITypeInfo **info);

// reportFailure that cannot throw.
HRESULT failedCall(const AutomationError &error, REFIID iid, EXCEPINFO *info) noexcept;

} // namespace qv::com
