// Members of _Fleet, in the interface's order.

#include "automation/class_tables.hpp"
#include "automation/fleet.hpp"
#include "quorvane_h.h"

namespace qv::com {

const ClassTable<Fleet> &fleetTable() {
  // Run takes any number of arguments after the computers; the table's
  // bound is far above what any member of the component takes.
  constexpr uint8_t kMostMemberArgs = 16;
  static const ClassTable<Fleet> table =
      TableBuilder<Fleet>(DIID__Fleet)
          .property(
              L"Timeout", [](Fleet &f, CallArgs &) -> Variant { return f.timeout(); },
              [](Fleet &f, CallArgs &a) -> Variant {
                f.setTimeout(a.value(0));
                return {};
              })
          .property(
              L"Parallel", [](Fleet &f, CallArgs &) -> Variant { return f.parallel(); },
              [](Fleet &f, CallArgs &a) -> Variant {
                f.setParallel(a.value(0));
                return {};
              })
          .method(L"Run", 3, kMostMemberArgs, [](Fleet &f, CallArgs &a) -> Variant { return f.run(a); })
          .build();
  return table;
}

} // namespace qv::com
