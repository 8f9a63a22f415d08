#pragma once
// Named arguments, as VBA sends them (`pagenum:=2`): GetIDsOfNames answers a
// parameter's name with its position, taken from the type library, and
// Invoke puts each named argument in its place among the positional ones.

#include <windows.h>

#include <oaidl.h>

#include <vector>

namespace qv::com {

// names[1..count-1] are parameter names of the member `member` of
// interface iid; each gets its position (from 0), or DISPID_UNKNOWN and the
// result DISP_E_UNKNOWNNAME. Names match without regard to case.
HRESULT answerParameterNames(REFIID iid, DISPID member, LPOLESTR *names, UINT count, DISPID *ids);

// The arguments of a call with named ones, as positional arguments: slots
// receives shallow copies (by-reference arguments still point at the
// caller's variables), a gap (VT_ERROR DISP_E_PARAMNOTFOUND) for each
// position left out; placed describes them. A name out of range, given
// twice or for a position also passed positionally gives
// DISP_E_PARAMNOTFOUND.
HRESULT placeNamedArguments(const DISPPARAMS &params, UINT parameters, std::vector<VARIANT> &slots,
                            DISPPARAMS &placed);

} // namespace qv::com
