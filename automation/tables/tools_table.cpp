// Members of _Tools, in the interface's order. rebootComputer writes
// "127.0.0.1" back into the caller's variable when it names this host.

#include "automation/class_tables.hpp"
#include "quorvane_h.h"
#include "tools/tools.hpp"

namespace qv::com {

const ClassTable<Tools> &toolsTable() {
  static const ClassTable<Tools> table =
      TableBuilder<Tools>(DIID__Tools)
          .getter(L"message", [](Tools &t, CallArgs &) -> Variant { return t.message(); })
          .method(L"rebootComputer", 1, 0,
                  [](Tools &t, CallArgs &a) -> Variant { return t.rebootComputer(a.textRef(0)); })
          .method(
              L"tryConnection", 1, 1,
              [](Tools &t, CallArgs &a) -> Variant { return t.tryConnection(a.text(0), a.optionalText(1)); })
          .method(L"gotBootTool", 0, 0, [](Tools &t, CallArgs &) -> Variant { return t.gotBootTool(); })
          .method(L"singleServerMode", 0, 0,
                  [](Tools &t, CallArgs &) -> Variant { return t.singleServerMode(); })
          .method(L"ServiceIsRunning", 1, 0,
                  [](Tools &t, CallArgs &a) -> Variant { return t.serviceIsRunning(a.text(0)); })
          .build();
  return table;
}

} // namespace qv::com
