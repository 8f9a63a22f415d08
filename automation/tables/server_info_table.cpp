// Members of _ServerInfo, in the interface's order.

#include "automation/class_tables.hpp"
#include "inventory/server_info.hpp"
#include "quorvane_h.h"

namespace qv::com {

const ClassTable<ServerInfo> &serverInfoTable() {
  using S = ServerInfo;
  static const ClassTable<ServerInfo> table =
      TableBuilder<ServerInfo>(DIID__ServerInfo)
          .method(L"getNicInfo", 1, 0, [](S &s, CallArgs &a) -> Variant { return s.getNicInfo(a.text(0)); })
          .method(L"logicalDriveInfo", 1, 0,
                  [](S &s, CallArgs &a) -> Variant { return s.logicalDriveInfo(a.text(0)); })
          .method(L"cpuInfo", 1, 0, [](S &s, CallArgs &a) -> Variant { return s.cpuInfo(a.text(0)); })
          .method(L"osInfo", 1, 0, [](S &s, CallArgs &a) -> Variant { return s.osInfo(a.text(0)); })
          .method(L"OsHotFixStatus", 1, 0,
                  [](S &s, CallArgs &a) -> Variant { return s.hotFixStatus(a.text(0)); })
          .method(L"getInfo", 1, 0, [](S &s, CallArgs &a) -> Variant { return s.getInfo(a.text(0)); })
          .build();
  return table;
}

} // namespace qv::com
