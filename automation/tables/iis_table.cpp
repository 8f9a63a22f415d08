// Members of _iis, in the interface's order.

#include "automation/class_tables.hpp"
#include "iis/iis.hpp"
#include "quorvane_h.h"

namespace qv::com {

const ClassTable<Iis> &iisTable() {
  static const ClassTable<Iis> table =
      TableBuilder<Iis>(DIID__iis)
          .setter(L"setComputerName",
                  [](Iis &s, CallArgs &a) -> Variant {
                    s.setComputerName(a.text(0));
                    return {};
                  })
          .setter(L"setWorkgroup",
                  [](Iis &s, CallArgs &a) -> Variant {
                    s.setWorkgroup(a.text(0));
                    return {};
                  })
          .setter(L"setSiteId",
                  [](Iis &s, CallArgs &a) -> Variant {
                    s.setSiteId(a.int32(0));
                    return {};
                  })
          .method(L"getSite", 0, 0, [](Iis &s, CallArgs &) -> Variant { return s.getSite(); })
          .method(L"getSites", 0, 0, [](Iis &s, CallArgs &) -> Variant { return s.getSites(); })
          .method(L"getSitesExtended", 0, 0,
                  [](Iis &s, CallArgs &) -> Variant { return s.getSitesExtended(); })
          .method(L"startSite", 0, 0,
                  [](Iis &s, CallArgs &) -> Variant {
                    s.startSite();
                    return {};
                  })
          .method(L"stopSite", 0, 0,
                  [](Iis &s, CallArgs &) -> Variant {
                    s.stopSite();
                    return {};
                  })
          .method(L"pauseSite", 0, 0,
                  [](Iis &s, CallArgs &) -> Variant {
                    s.pauseSite();
                    return {};
                  })
          .method(L"resumeSite", 0, 0,
                  [](Iis &s, CallArgs &) -> Variant {
                    s.resumeSite();
                    return {};
                  })
          .method(L"restartSite", 0, 0,
                  [](Iis &s, CallArgs &) -> Variant {
                    s.restartSite();
                    return {};
                  })
          .method(L"iisBackupFiles", 0, 0, [](Iis &s, CallArgs &) -> Variant { return s.iisBackupFiles(); })
          .method(L"makeBackup", 0, 0,
                  [](Iis &s, CallArgs &) -> Variant {
                    s.makeBackup();
                    return {};
                  })
          .build();
  return table;
}

} // namespace qv::com
