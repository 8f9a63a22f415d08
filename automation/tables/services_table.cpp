// Members of _Services, in the interface's order.

#include "automation/class_tables.hpp"
#include "quorvane_h.h"
#include "services/services.hpp"

namespace qv::com {

const ClassTable<Services> &servicesTable() {
  static const ClassTable<Services> table =
      TableBuilder<Services>(DIID__Services)
          .setter(L"setComputerName",
                  [](Services &s, CallArgs &a) -> Variant {
                    s.setComputerName(a.text(0));
                    return {};
                  })
          .setter(L"setWorkgroup",
                  [](Services &s, CallArgs &a) -> Variant {
                    s.setWorkgroup(a.text(0));
                    return {};
                  })
          .method(L"getWorkgroups", 0, 0,
                  [](Services &s, CallArgs &) -> Variant { return s.getWorkgroups(); })
          .method(L"getComputers", 0, 0, [](Services &s, CallArgs &) -> Variant { return s.getComputers(); })
          .method(L"process", 0, 0, [](Services &s, CallArgs &) -> Variant { return s.serviceList(); })
          .method(L"servicesSorted", 1, 0,
                  [](Services &s, CallArgs &a) -> Variant { return s.servicesSorted(a.text(0)); })
          .method(L"getService", 1, 0,
                  [](Services &s, CallArgs &a) -> Variant { return s.getService(a.text(0)); })
          .method(L"setStatus", 3, 0,
                  [](Services &s, CallArgs &a) -> Variant {
                    s.setStatus(a.text(0), a.int32(1), a.int32(2));
                    return {};
                  })
          .build();
  return table;
}

} // namespace qv::com
