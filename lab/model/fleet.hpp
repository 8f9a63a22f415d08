#pragma once
// The simulated network as read from the fleet file: workgroups, computers
// and, per computer, its directory objects (services, web sites), metabase
// backups, management instances, event-log rules and terminal sessions.
// Changes made through the providers (a stopped service, a new backup, an
// ended process) change this model for the rest of the process.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lab/model/property_bag.hpp"

namespace qv::lab {

struct Computer;
struct DirNode;
using DirNodePtr = std::shared_ptr<DirNode>;

// One object of the WinNT: or IIS: tree.
struct DirNode {
  std::string className; // "Domain", "Computer", "Service", "IIsWebServer", ...
  std::string name;
  std::string path; // the object's own display name
  PropertyBag props;
  std::vector<DirNodePtr> children;
  DirNode *parent = nullptr;
  Computer *computer = nullptr; // null above the computers
  // What a service accepts besides start.
  bool canStop = true;
  bool canPause = false;
  // How long a service stays in a pending state, and the state it is on its
  // way to with the time (of the lab's steady clock) it gets there.
  int32_t pendingMs = 300;
  struct Transition {
    int32_t settlesTo = 0;
    int64_t atMs = 0;
  };
  std::optional<Transition> transition;

  // A direct child by name, and by class when one is given.
  DirNodePtr child(std::string_view name, std::string_view className = {}) const;
};

struct Backup {
  std::string location;
  int32_t version = 0;
  Date date;
  bool unreadable = false; // its file cannot be read: listing it fails
};

// A management instance.
struct Instance {
  PropertyBag props;
  // What GetOwner reports for a process; none makes it answer "access denied".
  std::optional<std::pair<std::string, std::string>> owner;
  bool terminable = true;
};
using InstancePtr = std::shared_ptr<Instance>;

struct EventTemplate {
  std::string source;
  std::string type; // "Information", "Warning", "Error", ...
  int32_t category = 0;
  std::string categoryString;
  int32_t eventCode = 0;
  Value eventIdentifier;
  Value user;                                       // text or Null
  std::string message;                              // %1, %2, ... take the insertion strings
  std::vector<std::vector<std::string>> insertions; // cycled through; empty gives Null
  Value data;                                       // array of bytes or Null
  int32_t writeDelaySeconds = 0;
};

// A log whose entries are made by rule: record r (first..first+count-1) uses
// template (r - first) mod T, the insertion set (r - first) / T mod S, and
// was generated at start + (r - first) * interval seconds.
struct EventLogRule {
  std::string log;
  std::string fileName;
  int32_t firstRecord = 1;
  int32_t count = 0;
  Date start;
  int32_t intervalSeconds = 60;
  int32_t maxFileSize = 0;
  std::vector<EventTemplate> templates;

  int32_t newestRecord() const { return firstRecord + count - 1; }
};

struct Session {
  std::string user;
  std::string sessionName;
  std::string id;
  std::string state;
  std::string idle;
  std::string logon;
  bool current = false; // the session the host tools run in, on the local computer
};

// Files made in a real folder so that the folder's size is measured.
struct FolderSpec {
  std::string path; // as the computer sees it: D:\sites\intranet
  int32_t files = 0;
  int32_t bytes = 0; // per file
};

enum class CimType {
  String,
  DateTime,
  Boolean,
  UInt8,
  SInt16,
  UInt16,
  SInt32,
  UInt32,
  SInt64,
  UInt64,
  Real64
};

struct PropertySchema {
  std::string name;
  CimType type = CimType::String;
  bool array = false;
};

struct ClassSchema {
  std::string name;
  std::vector<PropertySchema> properties;
  const PropertySchema *find(std::string_view property) const;
};

struct Computer {
  std::string name;
  std::string workgroup;
  bool reachable = true;
  // A slow or dead host: every bind and every management call on it waits
  // latencyMs first; one that never answers waits until the process ends.
  int32_t latencyMs = 0;
  bool answers = true;
  bool local = false;  // also answers to the host's own name and "localhost"
  DirNodePtr winnt;    // its "Computer" object
  DirNodePtr metabase; // its "IIsComputer" object; null without a web server
  std::vector<Backup> backups;
  std::map<std::string, std::vector<InstancePtr>> instances; // by lower-case class name
  std::vector<EventLogRule> eventLogs;
  std::vector<Session> sessions;
  std::vector<FolderSpec> folders;

  const std::vector<InstancePtr> *instancesOf(std::string_view className) const;
  // Minutes east of universal time: its Win32_TimeZone Bias, which is local
  // time less universal time.
  int32_t utcOffsetMinutes() const;
};

// The host's own names, which reach the fleet's local computer.
struct LocalNames {
  std::string computer;
  std::string workgroup;
};

struct Fleet {
  std::vector<ClassSchema> classes;
  DirNodePtr winntRoot; // "WinNT:": its children are the workgroups
  std::vector<std::unique_ptr<Computer>> computers;

  const ClassSchema *findClass(std::string_view name) const;
  Computer *findComputer(std::string_view name) const;
  Computer *localComputer() const;
  // A computer by fleet name, or the local computer by one of its aliases.
  Computer *reach(std::string_view name, const LocalNames &local) const;
  // A workgroup node by name; the host's own workgroup name reaches the
  // local computer's workgroup.
  DirNodePtr workgroup(std::string_view name, const LocalNames &local) const;
};

} // namespace qv::lab
