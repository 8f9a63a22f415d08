#include "lab/checks/check.hpp"
#include "lab/checks/small_fleet.hpp"
#include "lab/model/directory_paths.hpp"
#include "lab/model/lab_error.hpp"

using namespace qv::lab;
using checks::failsWith;

CHECKS("WinNT paths reach workgroups, computers and services without regard to case") {
  Fleet fleet = checks::smallFleet();
  LocalNames host{"VM", "VMGROUP"};
  CHECK(bindWinNT(fleet, "WinNT:", host) == fleet.winntRoot);
  CHECK(bindWinNT(fleet, "winnt://corp", host)->className == "Domain");
  CHECK(bindWinNT(fleet, "WinNT://CORP/srv", host)->name == "SRV");
  CHECK(bindWinNT(fleet, "WinNT://CORP/SRV/top,Service", host)->name == "Top");
  CHECK(bindWinNT(fleet, "WinNT://CORP/SRV/Top", host)->className == "Service");
  CHECK(bindWinNT(fleet, "WinNT://SRV/Mid", host)->name == "Mid");
  CHECK(bindWinNT(fleet, "WinNT://CORP/admins", host)->className == "Group");
  // The host's own names reach the local computer, in its workgroup or the host's.
  CHECK(bindWinNT(fleet, "WinNT://VMGROUP/VM", host)->name == "ADMIN");
  CHECK(bindWinNT(fleet, "WinNT://HOME/vm", host)->name == "ADMIN");
  CHECK(bindWinNT(fleet, "WinNT://HOME/localhost", host)->name == "ADMIN");
}

CHECKS("WinNT paths fail as the provider fails") {
  Fleet fleet = checks::smallFleet();
  LocalNames host{"VM", "VMGROUP"};
  struct Case {
    const char *path;
    uint32_t code;
  } cases[] = {
      {"WinNT://NOWHERE", code::kNoSuchDomain},
      {"WinNT://CORP/NOBODY", code::kBadNetPath},
      {"WinNT://CORP/GONE", code::kBadNetPath},
      {"WinNT://CORP/GONE/x,Service", code::kBadNetPath},
      {"WinNT://CORP/SRV/None,Service", code::kNoSuchService},
      {"WinNT://CORP/SRV/None", code::kNoSuchService},
      {"WinNT://", code::kBadPathname},
      {"WinNT:///SRV", code::kBadPathname},
      {"WinNT://CORP//Top,Service", code::kBadPathname},
      {"WinNT:CORP", code::kBadPathname},
      {"WinNT://CORP/SRV/Top,Service/x", code::kBadPathname},
      {"WinNT://HOME/SRV", code::kBadNetPath},
      {"WinNT://CORP/SRV,Service", code::kBadPathname},
  };
  for (const auto &c : cases) {
    bool ok = failsWith(c.code, [&] { bindWinNT(fleet, c.path, host); });
    if (!ok) std::printf("  path %s\n", c.path);
    CHECK(ok);
  }
}

CHECKS("IIS paths walk the metabase; missing nodes are paths not found") {
  Fleet fleet = checks::smallFleet();
  LocalNames host{"VM", "VMGROUP"};
  CHECK(bindIIS(fleet, "IIS://srv", host)->className == "IIsComputer");
  CHECK(bindIIS(fleet, "IIS://SRV/w3svc/3/root/DOCS", host)->props.find("path")->toText() == "E:\\docs");
  CHECK(bindIIS(fleet, "IIS://SRV/W3SVC/1/Filters", host)->className == "IIsFilters");
  CHECK(failsWith(code::kPathNotFound, [&] { bindIIS(fleet, "IIS://SRV/W3SVC/9", host); }));
  CHECK(failsWith(code::kPathNotFound, [&] { bindIIS(fleet, "IIS://SRV/W3SVC/2/Filters", host); }));
  CHECK(failsWith(code::kServerUnavailable, [&] { bindIIS(fleet, "IIS://GONE/W3SVC", host); }));
  CHECK(failsWith(code::kServerUnavailable, [&] { bindIIS(fleet, "IIS://ADMIN", host); }));
  CHECK(failsWith(code::kBadPathname, [&] { bindIIS(fleet, "IIS:SRV", host); }));

  DirNodePtr service = bindIIS(fleet, "IIS://SRV/W3SVC", host);
  CHECK(childOf(*service, "IIsWebServer", "2")->name == "2");
  CHECK(failsWith(code::kPathNotFound, [&] { childOf(*service, "IIsWebServer", "Two"); }));
  CHECK(failsWith(code::kPathNotFound, [&] { childOf(*service, "IIsWebVirtualDir", "1"); }));
  DirNodePtr computer = bindWinNT(fleet, "WinNT://CORP/SRV", host);
  CHECK(failsWith(code::kNoSuchService, [&] { childOf(*computer, "Service", "nope"); }));
}
