// Members of _EventLog, in the interface's order. EnumLogEvents writes the
// page counted from 0 back into the caller's pagenum.

#include "automation/class_tables.hpp"
#include "eventlog/event_log.hpp"
#include "quorvane_h.h"

namespace qv::com {

const ClassTable<EventLog> &eventLogTable() {
  using E = EventLog;
  static const ClassTable<EventLog> table =
      TableBuilder<EventLog>(DIID__EventLog)
          .method(L"EnumEventLogs", 1, 0,
                  [](E &e, CallArgs &a) -> Variant { return e.enumEventLogs(a.text(0)); })
          .method(L"numberOfEvents", 2, 0,
                  [](E &e, CallArgs &a) -> Variant { return e.numberOfEvents(a.text(0), a.text(1)); })
          .method(L"EnumLogEvents", 2, 2,
                  [](E &e, CallArgs &a) -> Variant {
                    return e.enumLogEvents(a.text(0), a.text(1), a.optionalInt32(2), a.optionalInt32Ref(3));
                  })
          .method(L"getEvent", 2, 1,
                  [](E &e, CallArgs &a) -> Variant {
                    return e.getEvent(a.text(0), a.number(1), a.optionalText(2));
                  })
          .method(L"getLogPage", 2, 2,
                  [](E &e, CallArgs &a) -> Variant {
                    return e.getLogPage(a.text(0), a.text(1), a.optionalInt32(2), a.optionalInt32(3));
                  })
          .method(L"findEvents", 2, 3,
                  [](E &e, CallArgs &a) -> Variant {
                    return e.findEvents(a.text(0), a.text(1), a.value(2), a.value(3), a.value(4));
                  })
          .build();
  return table;
}

} // namespace qv::com
