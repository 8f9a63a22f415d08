// Members of _Process (class process), in the interface's order.

#include "automation/class_tables.hpp"
#include "processes/process.hpp"
#include "quorvane_h.h"

namespace qv::com {

const ClassTable<Processes> &processTable() {
  static const ClassTable<Processes> table =
      TableBuilder<Processes>(DIID__Process)
          .method(L"EnumerateProcesses", 1, 0,
                  [](Processes &p, CallArgs &a) -> Variant { return p.enumerateProcesses(a.text(0)); })
          .method(
              L"getProcessDetails", 2, 0,
              [](Processes &p, CallArgs &a) -> Variant { return p.getProcessDetails(a.int32(0), a.text(1)); })
          .method(L"terminateProcess", 2, 0,
                  [](Processes &p, CallArgs &a) -> Variant {
                    p.terminateProcess(a.int32(0), a.text(1));
                    return {};
                  })
          .build();
  return table;
}

} // namespace qv::com
