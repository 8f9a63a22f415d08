#pragma once
// A small fleet in the fleet file's own format, for the model checks.

#include "lab/model/fleet_loader.hpp"

namespace qv::lab::checks {

inline const char *kSmallFleet = R"json({
  "classes": {
    "Win32_Process": {"Name": "string", "ProcessId": "uint32", "WorkingSetSize": "uint64", "Priority": "uint32"},
    "Win32_NTEventLogFile": {"LogfileName": "string", "NumberOfRecords": "uint32"},
    "Win32_NTLogEvent": {"Logfile": "string", "RecordNumber": "uint32", "Message": "string", "TimeGenerated": "datetime",
                         "InsertionStrings": "string[]", "User": "string", "Type": "string", "EventType": "uint8",
                         "EventIdentifier": "uint32"},
    "Win32_TimeZone": {"Bias": "sint32"},
    "Win32_NetworkAdapterConfiguration": {"Index": "uint32", "IPEnabled": "boolean", "Description": "string"}
  },
  "workgroups": [{"name": "CORP", "members": [{"Name": "admins", "Class": "Group"}]}, {"name": "HOME"}],
  "computers": [
    {"name": "ADMIN", "workgroup": "HOME", "local": true,
     "sessions": [{"user": "operator", "session": "console", "id": "1", "state": "Active", "idle": "none", "logon": "3/5/2005 8:00 AM", "current": true}]},
    {"name": "GONE", "workgroup": "CORP", "reachable": false},
    {"name": "SRV", "workgroup": "CORP",
     "services": [
       {"Name": "Base", "DisplayName": "Base", "Status": 4, "StartType": 2, "ServiceType": 32, "ErrorControl": 1, "Dependencies": [], "canStop": false},
       {"Name": "Mid", "DisplayName": "Middle", "Status": 1, "StartType": 3, "ServiceType": 16, "ErrorControl": 1, "Dependencies": ["Base"], "pendingMs": 0},
       {"Name": "Top", "DisplayName": "Top", "Status": 1, "StartType": 3, "ServiceType": 16, "ErrorControl": 1, "Dependencies": ["Mid", "+Group"], "canPause": true, "pendingMs": 500},
       {"Name": "Off", "DisplayName": "Off", "Status": 1, "StartType": 4, "ServiceType": 16, "ErrorControl": 1, "Dependencies": []},
       {"Name": "NeedsOff", "DisplayName": "Needs off", "Status": 1, "StartType": 3, "ServiceType": 16, "ErrorControl": 1, "Dependencies": ["Off"]}
     ],
     "web": {"sites": [
       {"Name": 1, "ServerComment": "One", "ServerState": 2, "ServerBindings": [":80:"], "root": {"Path": "D:\\one"}, "filters": []},
       {"Name": 2, "ServerComment": "Two", "ServerState": 4, "ServerBindings": [":80:"], "root": {"Path": "D:\\two"}},
       {"Name": 3, "ServerComment": "Three", "ServerState": 4, "ServerBindings": [":81:"], "root": {"Path": "D:\\three"},
        "dirs": [{"Name": "docs", "Path": "E:\\docs"}]}
     ], "backups": [{"location": "a", "version": 0, "date": "2026-01-02T03:04:05"}]},
     "wmi": {
       "Win32_TimeZone": [{"Bias": 60}],
       "Win32_Process": [
         {"Name": "idle", "ProcessId": 0, "WorkingSetSize": 4096, "terminable": false},
         {"Name": "app", "ProcessId": 12, "WorkingSetSize": "9000000000", "Priority": 8, "owner": ["bob", "CORP"]},
         {"Name": "App's", "ProcessId": 13, "Priority": 4}
       ],
       "Win32_NetworkAdapterConfiguration": [{"Index": 3, "IPEnabled": true}, {"Index": 4, "IPEnabled": false}]
     },
     "eventLogs": [
       {"log": "System", "file": "sys.evt", "firstRecord": 101, "count": 50, "start": "2026-02-28T23:50:00", "intervalSeconds": 60,
        "templates": [{"source": "a", "type": "Warning", "eventCode": 1, "message": "%1 did %2", "insertions": [["x", "y"], ["p", "q"]]},
                      {"source": "b", "type": "Error", "eventCode": 2, "message": "plain", "user": "   "}]},
       {"log": "App", "file": "app.evt", "count": 3, "start": "2026-01-01T00:00:00",
        "templates": [{"source": "c", "type": "Information", "message": "m"},
                      {"source": "d", "type": "security audit FAILURE", "eventIdentifier": 3221225477, "message": "n"}]}
     ],
     "sessions": [
       {"user": "administrator", "session": "console", "id": "0", "state": "Active", "idle": "none", "logon": "3/5/2005 10:00 AM"},
       {"user": "user2", "id": "2", "state": "Disc", "idle": "1:05", "logon": "3/5/2005 9:00 AM"}
     ]}
  ]
})json";

inline Fleet smallFleet() { return loadFleet(kSmallFleet); }

} // namespace qv::lab::checks
