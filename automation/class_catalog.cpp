#include "automation/class_catalog.hpp"

#include <array>
#include <memory>

#include "automation/class_tables.hpp"
#include "automation/dispatch_object.hpp"
#include "automation/fleet.hpp"
#include "eventlog/event_log.hpp"
#include "iis/iis.hpp"
#include "iis/iis_site.hpp"
#include "inventory/server_info.hpp"
#include "platform/win32/win32_platform.hpp"
#include "processes/process.hpp"
#include "quorvane_h.h"
#include "services/services.hpp"
#include "terminal/terminal_services.hpp"
#include "tools/tools.hpp"
#include "tools/util.hpp"

namespace qv::com {
namespace {

template <class Impl, const ClassTable<Impl> &(*table)()> ComPtr<IDispatch> create(const Platform &platform) {
  return presentObject(std::make_shared<Impl>(platform), table(), ComBridge(platform.regional));
}

const std::array<CreatableClass, 10> classes{{
    {L"Quorvane.Services", &CLSID_Services, create<Services, servicesTable>},
    {L"Quorvane.iis", &CLSID_iis, create<Iis, iisTable>},
    {L"Quorvane.IisSite", &CLSID_IisSite, create<IisSite, iisSiteTable>},
    {L"Quorvane.Util", &CLSID_Util, create<Util, utilTable>},
    {L"Quorvane.ServerInfo", &CLSID_ServerInfo, create<ServerInfo, serverInfoTable>},
    {L"Quorvane.process", &CLSID_process, create<Processes, processTable>},
    {L"Quorvane.EventLog", &CLSID_EventLog, create<EventLog, eventLogTable>},
    {L"Quorvane.TerminalServices", &CLSID_TerminalServices, create<TerminalServices, terminalServicesTable>},
    {L"Quorvane.Tools", &CLSID_Tools, create<Tools, toolsTable>},
    {L"Quorvane.Fleet", &CLSID_Fleet, create<Fleet, fleetTable>},
}};

} // namespace

std::span<const CreatableClass> creatableClasses() { return classes; }

const CreatableClass *findClass(REFCLSID clsid) {
  for (const auto &entry : classes) {
    if (IsEqualCLSID(*entry.clsid, clsid)) return &entry;
  }
  return nullptr;
}

Platform hostPlatform() { return win32::makeWin32Platform(); }

} // namespace qv::com
