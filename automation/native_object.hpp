#pragma once
// The module's own objects answer this private interface with the core
// object they present, so a collection or site a script hands back to the
// component is the same object again, not a copy and not a foreign one.

#include <windows.h>

#include <objbase.h>

#include "core/variant.hpp"

namespace qv::com {

// {DDC6CFCB-6571-496F-A994-37060AAF38FE}
inline constexpr IID IID_INativeObject = {
    0xddc6cfcb, 0x6571, 0x496f, {0xa9, 0x94, 0x37, 0x06, 0x0a, 0xaf, 0x38, 0xfe}};

struct INativeObject : public IUnknown {
  // The core object, or null when the object presents a class rather than
  // a value.
  virtual ObjectPtr STDMETHODCALLTYPE native() = 0;
};

} // namespace qv::com
