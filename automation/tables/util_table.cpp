// Members of _Util, in the interface's order. translateStringDate trims its
// argument in place, so the caller's variable is written back.

#include "automation/class_tables.hpp"
#include "quorvane_h.h"
#include "tools/util.hpp"

namespace qv::com {

const ClassTable<Util> &utilTable() {
  static const ClassTable<Util> table =
      TableBuilder<Util>(DIID__Util)
          .method(L"IIf", 3, 0,
                  [](Util &u, CallArgs &a) -> Variant { return u.iif(a.value(0), a.value(1), a.value(2)); })
          .method(L"formatDateTime", 2, 0,
                  [](Util &u, CallArgs &a) -> Variant { return u.formatDateTime(a.date(0), a.int32(1)); })
          .method(L"Val", 1, 0, [](Util &u, CallArgs &a) -> Variant { return u.val(a.text(0)); })
          .method(L"translateStringDate", 1, 0,
                  [](Util &u, CallArgs &a) -> Variant { return u.translateStringDate(a.textRef(0)); })
          .build();
  return table;
}

} // namespace qv::com
