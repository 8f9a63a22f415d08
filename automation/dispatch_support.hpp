#pragma once
// The parts of IDispatch that do not depend on the class: choosing between
// call, put and putref from the flags and arguments, and name lookup
// results.

#include <windows.h>

#include <oaidl.h>

#include "automation/member_table.hpp"

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

} // namespace qv::com
