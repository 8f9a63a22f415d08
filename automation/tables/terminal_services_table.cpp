// Members of _TerminalServices, in the interface's order.

#include "automation/class_tables.hpp"
#include "quorvane_h.h"
#include "terminal/terminal_services.hpp"

namespace qv::com {

const ClassTable<TerminalServices> &terminalServicesTable() {
  using T = TerminalServices;
  static const ClassTable<TerminalServices> table =
      TableBuilder<TerminalServices>(DIID__TerminalServices)
          .method(L"getLogonUsers", 1, 0,
                  [](T &t, CallArgs &a) -> Variant { return t.getLogonUsers(a.text(0)); })
          .method(L"changeUserStatus", 3, 0,
                  [](T &t, CallArgs &a) -> Variant {
                    return t.changeUserStatus(a.text(0), a.text(1), a.text(2));
                  })
          .build();
  return table;
}

} // namespace qv::com
