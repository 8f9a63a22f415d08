#pragma once
// The member tables of the classes the module presents, and the way a new
// object of a creatable class is made.

#include <windows.h>

#include <oaidl.h>

#include "automation/member_table.hpp"
#include "core/platform.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv {
class Collection;
class EventLog;
class IisSite;
class ServerInfo;
class Services;
class TerminalServices;
class Tools;
class Util;
class Iis;
class Processes;
} // namespace qv

namespace qv::com {

class Fleet;

const ClassTable<Collection> &collectionTable();
const ClassTable<Services> &servicesTable();
const ClassTable<Iis> &iisTable();
const ClassTable<IisSite> &iisSiteTable();
const ClassTable<Util> &utilTable();
const ClassTable<ServerInfo> &serverInfoTable();
const ClassTable<Processes> &processTable();
const ClassTable<EventLog> &eventLogTable();
const ClassTable<TerminalServices> &terminalServicesTable();
const ClassTable<Tools> &toolsTable();
const ClassTable<Fleet> &fleetTable();

} // namespace qv::com
