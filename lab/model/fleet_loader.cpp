#include "lab/model/fleet_loader.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "lab/model/event_logs.hpp"
#include "lab/model/text.hpp"

namespace qv::lab {
namespace {

using Json = nlohmann::ordered_json;

// A place in the file, for messages: where + "." + name.
std::string placeOf(const std::string &where, std::string_view name) {
  std::string place;
  place.reserve(where.size() + 1 + name.size());
  place.append(where).append(1, '.').append(name);
  return place;
}

[[noreturn]] void refuse(const std::string &where, const std::string &what) {
  throw FleetError("fleet: " + where + ": " + what);
}

const Json &member(const Json &object, const char *key, const std::string &where) {
  if (!object.is_object()) refuse(where, "an object was expected");
  auto it = object.find(key);
  if (it == object.end()) refuse(where, std::string("missing \"") + key + "\"");
  return *it;
}

std::string text(const Json &value, const std::string &where) {
  if (!value.is_string()) refuse(where, "a text was expected");
  return value.get<std::string>();
}

std::string textMember(const Json &object, const char *key, const std::string &where) {
  return text(member(object, key, where), where + "." + key);
}

int64_t wholeNumber(const Json &value, const std::string &where, int64_t low, int64_t high) {
  if (!value.is_number_integer()) refuse(where, "a whole number was expected");
  int64_t n = value.is_number_unsigned() ? static_cast<int64_t>(value.get<uint64_t>()) : value.get<int64_t>();
  if (n < low || n > high) refuse(where, "the number " + std::to_string(n) + " is out of range");
  return n;
}

int32_t int32Member(const Json &object, const char *key, const std::string &where, int32_t fallback) {
  auto it = object.find(key);
  if (it == object.end()) return fallback;
  return static_cast<int32_t>(wholeNumber(*it, where + "." + key, std::numeric_limits<int32_t>::min(),
                                          std::numeric_limits<int32_t>::max()));
}

bool boolMember(const Json &object, const char *key, const std::string &where, bool fallback) {
  auto it = object.find(key);
  if (it == object.end()) return fallback;
  if (!it->is_boolean()) refuse(where + "." + key, "true or false was expected");
  return it->get<bool>();
}

// Refuses keys that nothing reads.
void onlyKeys(const Json &object, std::initializer_list<const char *> known, const std::string &where) {
  if (!object.is_object()) refuse(where, "an object was expected");
  for (const auto &item : object.items()) {
    const std::string &key = item.key();
    bool found = std::any_of(known.begin(), known.end(), [&](const char *k) { return key == k; });
    if (!found) refuse(where, "unknown key \"" + key + "\"");
  }
}

// A directory property: Booleans, 32-bit numbers, texts and lists of them.
Value directoryValue(const Json &value, const std::string &where) {
  if (value.is_null()) return Value();
  if (value.is_boolean()) return Value(value.get<bool>());
  if (value.is_number_integer())
    return Value(static_cast<int32_t>(
        wholeNumber(value, where, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max())));
  if (value.is_number_float()) return Value(value.get<double>());
  if (value.is_string()) return Value(value.get<std::string>());
  if (value.is_array()) {
    Value::Array items;
    for (std::size_t i = 0; i < value.size(); ++i)
      items.push_back(directoryValue(value[i], where + "[" + std::to_string(i) + "]"));
    return Value(std::move(items));
  }
  refuse(where, "an object cannot be a property value");
}

CimType cimType(const std::string &name, bool &array, const std::string &where) {
  std::string base = name;
  array = base.size() > 2 && base.compare(base.size() - 2, 2, "[]") == 0;
  if (array) base.resize(base.size() - 2);
  static const std::pair<const char *, CimType> names[] = {
      {"string", CimType::String}, {"datetime", CimType::DateTime}, {"boolean", CimType::Boolean},
      {"uint8", CimType::UInt8},   {"sint16", CimType::SInt16},     {"uint16", CimType::UInt16},
      {"sint32", CimType::SInt32}, {"uint32", CimType::UInt32},     {"sint64", CimType::SInt64},
      {"uint64", CimType::UInt64}, {"real64", CimType::Real64}};
  for (const auto &[n, t] : names)
    if (base == n) return t;
  refuse(where, "unknown type \"" + name + "\"");
}

// One value of a management property, typed as the scripting interface of
// the service delivers it: 16- and 32-bit unsigned numbers as 32-bit
// numbers, 64-bit numbers and date-times as text, bytes as bytes.
Value cimScalar(CimType type, const Json &value, const std::string &where) {
  if (value.is_null()) return Value();
  switch (type) {
  case CimType::String:
  case CimType::DateTime: return Value(text(value, where));
  case CimType::Boolean:
    if (!value.is_boolean()) refuse(where, "true or false was expected");
    return Value(value.get<bool>());
  case CimType::UInt8: return Value(static_cast<uint8_t>(wholeNumber(value, where, 0, 255)));
  case CimType::SInt16: return Value(static_cast<int16_t>(wholeNumber(value, where, -32768, 32767)));
  case CimType::UInt16: return Value(static_cast<int32_t>(wholeNumber(value, where, 0, 65535)));
  case CimType::SInt32:
    return Value(static_cast<int32_t>(
        wholeNumber(value, where, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max())));
  case CimType::UInt32:
    // Automation has no unsigned 32-bit type: from 2^31 up the value arrives
    // negative, with the same bits.
    return Value(static_cast<int32_t>(static_cast<uint32_t>(wholeNumber(value, where, 0, 4294967295LL))));
  case CimType::SInt64:
  case CimType::UInt64: {
    if (value.is_string()) {
      std::string digits = value.get<std::string>();
      double ignored = 0;
      if (!parseNumber(digits, ignored) || digits.find('.') != std::string::npos)
        refuse(where, "a whole number was expected");
      return Value(digits);
    }
    return Value(std::to_string(
        wholeNumber(value, where, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max())));
  }
  case CimType::Real64:
    if (!value.is_number()) refuse(where, "a number was expected");
    return Value(value.get<double>());
  }
  refuse(where, "unknown type");
}

Value cimValue(const PropertySchema &schema, const Json &value, const std::string &where) {
  if (!schema.array || value.is_null()) return cimScalar(schema.type, value, where);
  if (!value.is_array()) refuse(where, "a list was expected");
  Value::Array items;
  for (std::size_t i = 0; i < value.size(); ++i)
    items.push_back(cimScalar(schema.type, value[i], where + "[" + std::to_string(i) + "]"));
  return Value(std::move(items));
}

class Loader {
public:
  Fleet load(const Json &root) {
    onlyKeys(root, {"about", "asOf", "classes", "workgroups", "computers"}, "top level");
    // The time the fleet's data is as of, for the reports run over it; the
    // model itself keeps no clock.
    if (root.contains("asOf")) {
      try {
        parseIsoDateTime(textMember(root, "asOf", "top level"));
      } catch (const std::invalid_argument &e) {
        refuse("asOf", e.what());
      }
    }
    fleet_.winntRoot = std::make_shared<DirNode>();
    fleet_.winntRoot->className = "Namespace";
    fleet_.winntRoot->name = "WinNT:";
    fleet_.winntRoot->path = "WinNT:";
    loadClasses(member(root, "classes", "top level"));
    loadWorkgroups(member(root, "workgroups", "top level"));
    const Json &computers = member(root, "computers", "top level");
    if (!computers.is_array()) refuse("computers", "a list was expected");
    for (std::size_t i = 0; i < computers.size(); ++i)
      loadCopies(computers[i], "computers[" + std::to_string(i) + "]");
    if (!fleet_.localComputer()) refuse("computers", "no computer is marked \"local\"");
    return std::move(fleet_);
  }

private:
  void loadClasses(const Json &classes) {
    if (!classes.is_object()) refuse("classes", "an object was expected");
    for (const auto &[name, properties] : classes.items()) {
      std::string where = "classes." + name;
      if (!properties.is_object()) refuse(where, "an object of property types was expected");
      ClassSchema schema{name, {}};
      for (const auto &[property, type] : properties.items()) {
        PropertySchema p{property, CimType::String, false};
        p.type = cimType(text(type, placeOf(where, property)), p.array, placeOf(where, property));
        schema.properties.push_back(p);
      }
      fleet_.classes.push_back(std::move(schema));
    }
  }

  void loadWorkgroups(const Json &workgroups) {
    if (!workgroups.is_array()) refuse("workgroups", "a list was expected");
    for (std::size_t i = 0; i < workgroups.size(); ++i) {
      std::string where = "workgroups[" + std::to_string(i) + "]";
      const Json &wg = workgroups[i];
      onlyKeys(wg, {"name", "members"}, where);
      auto node = std::make_shared<DirNode>();
      node->className = "Domain";
      node->name = textMember(wg, "name", where);
      node->path = "WinNT://" + node->name;
      node->parent = fleet_.winntRoot.get();
      if (fleet_.winntRoot->child(node->name))
        refuse(where, "the workgroup " + node->name + " is listed twice");
      fleet_.winntRoot->children.push_back(node);
      if (wg.contains("members")) loadMembers(*node, wg["members"], where + ".members");
    }
  }

  // Users and groups: objects that a class filter on the container hides.
  void loadMembers(DirNode &container, const Json &members, const std::string &where) {
    if (!members.is_array()) refuse(where, "a list was expected");
    for (std::size_t i = 0; i < members.size(); ++i) {
      std::string at = where + "[" + std::to_string(i) + "]";
      auto node = std::make_shared<DirNode>();
      node->name = textMember(members[i], "Name", at);
      node->className = textMember(members[i], "Class", at);
      for (const auto &[key, value] : members[i].items()) {
        if (key != "Name" && key != "Class") node->props.set(key, directoryValue(value, placeOf(at, key)));
      }
      addChild(container, node);
    }
  }

  void addChild(DirNode &parent, const DirNodePtr &node) {
    node->parent = &parent;
    node->computer = parent.computer;
    if (node->path.empty()) node->path = parent.path + "/" + node->name;
    parent.children.push_back(node);
  }

  // "copies": n makes n computers of one entry, named <name>01 to <name>n,
  // for fleets of alike hosts.
  void loadCopies(const Json &json, const std::string &where) {
    auto copies = json.find("copies");
    if (copies == json.end()) return loadComputer(json, where);
    auto count = static_cast<int>(wholeNumber(*copies, where + ".copies", 1, 99));
    Json copy = json;
    copy.erase("copies");
    std::string base = textMember(json, "name", where);
    for (int n = 1; n <= count; ++n) {
      copy["name"] = base + (n < 10 ? "0" : "") + std::to_string(n);
      loadComputer(copy, where);
    }
  }

  void loadComputer(const Json &json, const std::string &where) {
    onlyKeys(json,
             {"name", "workgroup", "reachable", "local", "properties", "members", "services", "web",
              "folders", "wmi", "eventLogs", "sessions", "latencyMs", "answers"},
             where);
    auto computer = std::make_unique<Computer>();
    Computer &c = *computer;
    c.name = textMember(json, "name", where);
    c.workgroup = textMember(json, "workgroup", where);
    c.reachable = boolMember(json, "reachable", where, true);
    c.local = boolMember(json, "local", where, false);
    c.latencyMs = int32Member(json, "latencyMs", where, 0);
    if (c.latencyMs < 0) refuse(where + ".latencyMs", "a wait of 0 or more milliseconds was expected");
    c.answers = boolMember(json, "answers", where, true);
    if (fleet_.findComputer(c.name)) refuse(where, "the computer " + c.name + " is listed twice");
    if (c.local && fleet_.localComputer()) refuse(where, "only one computer can be local");
    DirNodePtr wg = fleet_.winntRoot->child(c.workgroup, "Domain");
    if (!wg) refuse(where + ".workgroup", "no workgroup " + c.workgroup);
    fleet_.computers.push_back(std::move(computer));

    c.winnt = std::make_shared<DirNode>();
    c.winnt->className = "Computer";
    c.winnt->name = c.name;
    c.winnt->path = wg->path + "/" + c.name;
    c.winnt->computer = &c;
    c.winnt->parent = wg.get();
    wg->children.push_back(c.winnt);
    if (json.contains("properties")) {
      const Json &props = json["properties"];
      if (!props.is_object()) refuse(where + ".properties", "an object was expected");
      for (const auto &[key, value] : props.items())
        c.winnt->props.set(key, directoryValue(value, placeOf(where, "properties." + key)));
    }
    if (json.contains("services")) loadServices(c, json["services"], where + ".services");
    if (json.contains("members")) loadMembers(*c.winnt, json["members"], where + ".members");
    if (json.contains("web")) loadWeb(c, json["web"], where + ".web");
    if (json.contains("folders")) loadFolders(c, json["folders"], where + ".folders");
    // The time zone comes first: the event times are written with its offset.
    if (json.contains("wmi")) loadInstances(c, json["wmi"], where + ".wmi");
    if (json.contains("eventLogs")) loadEventLogs(c, json["eventLogs"], where + ".eventLogs");
    if (json.contains("sessions")) loadSessions(c, json["sessions"], where + ".sessions");
  }

  void loadServices(Computer &c, const Json &services, const std::string &where) {
    if (!services.is_array()) refuse(where, "a list was expected");
    static const std::set<std::string> properties = {"DisplayName",        "Status",         "StartType",
                                                     "ServiceType",        "ErrorControl",   "Path",
                                                     "ServiceAccountName", "LoadOrderGroup", "Dependencies"};
    for (std::size_t i = 0; i < services.size(); ++i) {
      std::string at = where + "[" + std::to_string(i) + "]";
      const Json &s = services[i];
      auto node = std::make_shared<DirNode>();
      node->className = "Service";
      node->name = textMember(s, "Name", at);
      if (c.winnt->child(node->name)) refuse(at, "the service " + node->name + " is listed twice");
      for (const char *required : {"DisplayName", "Status", "StartType", "ServiceType", "ErrorControl"})
        member(s, required, at);
      for (const auto &[key, value] : s.items()) {
        if (key == "Name") continue;
        if (key == "canStop" || key == "canPause") {
          (key == "canStop" ? node->canStop : node->canPause) = boolMember(s, key.c_str(), at, true);
          continue;
        }
        if (key == "pendingMs") {
          node->pendingMs = static_cast<int32_t>(wholeNumber(value, at + ".pendingMs", 0, 60000));
          continue;
        }
        if (!properties.count(key)) refuse(at, "unknown key \"" + key + "\"");
        if (key == "Dependencies") {
          node->props.set(key, dependencies(value, at + ".Dependencies"));
        } else {
          node->props.set(key, directoryValue(value, placeOf(at, key)));
        }
      }
      // The provider leaves out a list nobody filled.
      if (!node->props.find("Dependencies")) node->props.set("Dependencies", Value());
      addChild(*c.winnt, node);
    }
  }

  // One dependency comes as a text, several as a list, none not at all.
  static Value dependencies(const Json &value, const std::string &where) {
    if (!value.is_array()) refuse(where, "a list was expected");
    if (value.empty()) return Value();
    if (value.size() == 1) return Value(text(value[0], where + "[0]"));
    return directoryValue(value, where);
  }

  void loadWeb(Computer &c, const Json &web, const std::string &where) {
    onlyKeys(web, {"rootDefaults", "serviceFilters", "sites", "backups"}, where);
    c.metabase = std::make_shared<DirNode>();
    c.metabase->className = "IIsComputer";
    c.metabase->name = c.name;
    c.metabase->path = "IIS://" + c.name;
    c.metabase->computer = &c;

    auto service = std::make_shared<DirNode>();
    service->className = "IIsWebService";
    service->name = "W3SVC";
    addChild(*c.metabase, service);

    auto filters = std::make_shared<DirNode>();
    filters->className = "IIsFilters";
    filters->name = "Filters";
    addChild(*service, filters);
    if (web.contains("serviceFilters"))
      loadFilters(*filters, web["serviceFilters"], where + ".serviceFilters");

    auto info = std::make_shared<DirNode>();
    info->className = "IIsWebInfo";
    info->name = "Info";
    addChild(*service, info);

    PropertyBag rootDefaults;
    if (web.contains("rootDefaults")) {
      const Json &defaults = web["rootDefaults"];
      if (!defaults.is_object()) refuse(where + ".rootDefaults", "an object was expected");
      for (const auto &[key, value] : defaults.items())
        rootDefaults.set(key, directoryValue(value, placeOf(where, "rootDefaults." + key)));
    }
    const Json &sites = member(web, "sites", where);
    if (!sites.is_array()) refuse(where + ".sites", "a list was expected");
    for (std::size_t i = 0; i < sites.size(); ++i)
      loadSite(*service, rootDefaults, sites[i], where + ".sites[" + std::to_string(i) + "]");

    if (web.contains("backups")) {
      const Json &backups = web["backups"];
      if (!backups.is_array()) refuse(where + ".backups", "a list was expected");
      for (std::size_t i = 0; i < backups.size(); ++i) {
        std::string at = where + ".backups[" + std::to_string(i) + "]";
        onlyKeys(backups[i], {"location", "version", "date", "unreadable"}, at);
        Backup b;
        b.location = textMember(backups[i], "location", at);
        b.version = int32Member(backups[i], "version", at, 0);
        b.unreadable = boolMember(backups[i], "unreadable", at, false);
        try {
          b.date = parseIsoDateTime(textMember(backups[i], "date", at));
        } catch (const std::invalid_argument &e) {
          refuse(at + ".date", e.what());
        }
        c.backups.push_back(b);
      }
    }
  }

  void loadSite(DirNode &service, const PropertyBag &rootDefaults, const Json &site,
                const std::string &where) {
    auto node = std::make_shared<DirNode>();
    node->className = "IIsWebServer";
    const Json &name = member(site, "Name", where);
    node->name = name.is_string() ? name.get<std::string>()
                                  : std::to_string(wholeNumber(name, where + ".Name", 1, 2147483647));
    if (service.child(node->name)) refuse(where, "the site " + node->name + " is listed twice");
    for (const char *required : {"ServerComment", "ServerState", "ServerBindings"})
      member(site, required, where);
    for (const auto &[key, value] : site.items()) {
      if (key == "Name" || key == "root" || key == "dirs" || key == "filters") continue;
      node->props.set(key, directoryValue(value, placeOf(where, key)));
    }
    if (!node->props.find("SecureBindings")) node->props.set("SecureBindings", Value(Value::Array{}));
    addChild(service, node);

    auto root = std::make_shared<DirNode>();
    root->className = "IIsWebVirtualDir";
    root->name = "Root";
    root->props = rootDefaults;
    const Json &rootJson = member(site, "root", where);
    if (!rootJson.is_object()) refuse(where + ".root", "an object was expected");
    for (const auto &[key, value] : rootJson.items())
      root->props.set(key, directoryValue(value, placeOf(where, "root." + key)));
    if (!root->props.find("Path")) refuse(where + ".root", "missing \"Path\"");
    addChild(*node, root);
    if (site.contains("dirs")) loadDirs(*root, site["dirs"], where + ".dirs");

    if (site.contains("filters")) {
      auto filters = std::make_shared<DirNode>();
      filters->className = "IIsFilters";
      filters->name = "Filters";
      addChild(*node, filters);
      loadFilters(*filters, site["filters"], where + ".filters");
    }
  }

  void loadDirs(DirNode &parent, const Json &dirs, const std::string &where) {
    if (!dirs.is_array()) refuse(where, "a list was expected");
    for (std::size_t i = 0; i < dirs.size(); ++i) {
      std::string at = where + "[" + std::to_string(i) + "]";
      const Json &d = dirs[i];
      auto node = std::make_shared<DirNode>();
      node->name = textMember(d, "Name", at);
      node->className = d.contains("Class") ? textMember(d, "Class", at) : "IIsWebVirtualDir";
      for (const auto &[key, value] : d.items()) {
        if (key == "Name" || key == "Class" || key == "dirs") continue;
        node->props.set(key, directoryValue(value, placeOf(at, key)));
      }
      if (node->className == "IIsWebVirtualDir" && !node->props.find("Path")) refuse(at, "missing \"Path\"");
      addChild(parent, node);
      if (d.contains("dirs")) loadDirs(*node, d["dirs"], at + ".dirs");
    }
  }

  void loadFilters(DirNode &filters, const Json &list, const std::string &where) {
    if (!list.is_array()) refuse(where, "a list was expected");
    for (std::size_t i = 0; i < list.size(); ++i) {
      std::string at = where + "[" + std::to_string(i) + "]";
      auto node = std::make_shared<DirNode>();
      node->className = "IIsFilter";
      node->name = textMember(list[i], "Name", at);
      for (const auto &[key, value] : list[i].items()) {
        if (key != "Name") node->props.set(key, directoryValue(value, placeOf(at, key)));
      }
      addChild(filters, node);
    }
  }

  void loadFolders(Computer &c, const Json &folders, const std::string &where) {
    if (!folders.is_array()) refuse(where, "a list was expected");
    for (std::size_t i = 0; i < folders.size(); ++i) {
      std::string at = where + "[" + std::to_string(i) + "]";
      onlyKeys(folders[i], {"path", "files", "bytes"}, at);
      FolderSpec f;
      f.path = textMember(folders[i], "path", at);
      if (f.path.size() < 3 || f.path[1] != ':' || f.path[2] != '\\')
        refuse(at + ".path", "a path of the form X:\\folder was expected");
      f.files = int32Member(folders[i], "files", at, 0);
      f.bytes = int32Member(folders[i], "bytes", at, 0);
      if (f.files < 0 || f.files > 10000 || f.bytes < 0 || f.bytes > 16 * 1024 * 1024)
        refuse(at, "files (0 to 10000) or bytes (0 to 16 MB) out of range");
      c.folders.push_back(f);
    }
  }

  InstancePtr loadInstance(const ClassSchema &schema, const Json &json, const std::string &where) {
    if (!json.is_object()) refuse(where, "an object was expected");
    auto instance = std::make_shared<Instance>();
    for (const auto &p : schema.properties)
      instance->props.set(p.name, Value());
    for (const auto &[key, value] : json.items()) {
      std::string at = placeOf(where, key);
      if (key == "owner") {
        if (value.is_null()) continue;
        if (!value.is_array() || value.size() != 2) refuse(at, "[user, domain] was expected");
        instance->owner.emplace(text(value[0], at + "[0]"), text(value[1], at + "[1]"));
      } else if (key == "terminable") {
        instance->terminable = boolMember(json, "terminable", where, true);
      } else {
        const PropertySchema *p = schema.find(key);
        if (!p) refuse(at, "no property " + key + " in class " + schema.name);
        instance->props.set(p->name, cimValue(*p, value, at));
      }
    }
    return instance;
  }

  void loadInstances(Computer &c, const Json &wmi, const std::string &where) {
    if (!wmi.is_object()) refuse(where, "an object of class lists was expected");
    for (const auto &[className, list] : wmi.items()) {
      const ClassSchema *schema = fleet_.findClass(className);
      if (!schema) refuse(where, "no class " + className + " in \"classes\"");
      if (!list.is_array()) refuse(placeOf(where, className), "a list was expected");
      auto &target = c.instances[lowerText(schema->name)];
      for (std::size_t i = 0; i < list.size(); ++i)
        target.push_back(loadInstance(
            *schema, list[i], placeOf(where, className).append("[").append(std::to_string(i)).append("]")));
    }
  }

  void loadEventLogs(Computer &c, const Json &logs, const std::string &where) {
    if (!logs.is_array()) refuse(where, "a list was expected");
    const ClassSchema *files = fleet_.findClass("Win32_NTEventLogFile");
    if (!files || !fleet_.findClass("Win32_NTLogEvent"))
      refuse(where, "the classes Win32_NTEventLogFile and Win32_NTLogEvent must be declared");
    std::vector<InstancePtr> derived;
    for (std::size_t i = 0; i < logs.size(); ++i) {
      std::string at = where + "[" + std::to_string(i) + "]";
      const Json &l = logs[i];
      onlyKeys(
          l, {"log", "file", "firstRecord", "count", "start", "intervalSeconds", "maxFileSize", "templates"},
          at);
      EventLogRule rule;
      rule.log = textMember(l, "log", at);
      rule.fileName = textMember(l, "file", at);
      rule.firstRecord = int32Member(l, "firstRecord", at, 1);
      rule.count = int32Member(l, "count", at, 0);
      rule.intervalSeconds = int32Member(l, "intervalSeconds", at, 60);
      rule.maxFileSize = int32Member(l, "maxFileSize", at, 524288);
      if (rule.firstRecord < 1 || rule.count < 0 || rule.count > 1000000 || rule.intervalSeconds < 1)
        refuse(at, "firstRecord, count or intervalSeconds out of range");
      try {
        rule.start = parseIsoDateTime(textMember(l, "start", at));
      } catch (const std::invalid_argument &e) {
        refuse(at + ".start", e.what());
      }
      const Json &templates = member(l, "templates", at);
      if (!templates.is_array() || templates.empty())
        refuse(at + ".templates", "a non-empty list was expected");
      for (std::size_t t = 0; t < templates.size(); ++t)
        rule.templates.push_back(eventTemplate(templates[t], at + ".templates[" + std::to_string(t) + "]"));
      for (const auto &other : c.eventLogs)
        if (equalsNoCase(other.log, rule.log)) refuse(at, "the log " + rule.log + " is listed twice");

      auto file = std::make_shared<Instance>();
      for (const auto &p : files->properties)
        file->props.set(p.name, Value());
      file->props.set("LogfileName", Value(rule.log));
      file->props.set("Name", Value(rule.fileName));
      file->props.set("NumberOfRecords", Value(rule.count));
      file->props.set("MaxFileSize", Value(rule.maxFileSize));
      file->props.set("FileSize", Value(std::to_string(65536 + static_cast<int64_t>(rule.count) * 160)));
      file->props.set("OverwritePolicy", Value("WhenNeeded"));
      file->props.set("Status", Value("OK"));
      derived.push_back(file);
      c.eventLogs.push_back(std::move(rule));
    }
    // Logs made by rule come before any listed by hand.
    auto &listed = c.instances[lowerText(files->name)];
    derived.insert(derived.end(), listed.begin(), listed.end());
    listed = std::move(derived);
  }

  static EventTemplate eventTemplate(const Json &t, const std::string &where) {
    onlyKeys(t,
             {"source", "type", "category", "categoryString", "eventCode", "eventIdentifier", "user",
              "message", "insertions", "data", "writeDelaySeconds"},
             where);
    EventTemplate e;
    e.source = textMember(t, "source", where);
    EventKind kind = eventKind(textMember(t, "type", where));
    if (kind.number == 0)
      refuse(where + ".type", "\"" + kind.text + "\" is none of the five documented event types");
    e.type = kind.text;
    e.category = int32Member(t, "category", where, 0);
    e.categoryString = t.contains("categoryString") ? textMember(t, "categoryString", where) : "";
    e.eventCode = int32Member(t, "eventCode", where, 0);
    PropertySchema uint32{"EventIdentifier", CimType::UInt32, false};
    e.eventIdentifier = t.contains("eventIdentifier")
                            ? cimValue(uint32, t["eventIdentifier"], where + ".eventIdentifier")
                            : Value(e.eventCode);
    e.user = t.contains("user") && !t["user"].is_null() ? Value(textMember(t, "user", where)) : Value();
    e.message = textMember(t, "message", where);
    if (t.contains("insertions")) {
      const Json &sets = t["insertions"];
      if (!sets.is_array()) refuse(where + ".insertions", "a list of lists was expected");
      for (std::size_t i = 0; i < sets.size(); ++i) {
        std::string at = where + ".insertions[" + std::to_string(i) + "]";
        if (!sets[i].is_array()) refuse(at, "a list was expected");
        std::vector<std::string> strings;
        for (std::size_t j = 0; j < sets[i].size(); ++j)
          strings.push_back(text(sets[i][j], at + "[" + std::to_string(j) + "]"));
        e.insertions.push_back(std::move(strings));
      }
    }
    if (t.contains("data")) e.data = cimValue({"Data", CimType::UInt8, true}, t["data"], where + ".data");
    e.writeDelaySeconds = int32Member(t, "writeDelaySeconds", where, 0);
    return e;
  }

  void loadSessions(Computer &c, const Json &sessions, const std::string &where) {
    if (!sessions.is_array()) refuse(where, "a list was expected");
    for (std::size_t i = 0; i < sessions.size(); ++i) {
      std::string at = where + "[" + std::to_string(i) + "]";
      const Json &s = sessions[i];
      onlyKeys(s, {"user", "session", "id", "state", "idle", "logon", "current"}, at);
      Session session;
      session.user = textMember(s, "user", at);
      session.sessionName = s.contains("session") ? textMember(s, "session", at) : "";
      session.id = textMember(s, "id", at);
      session.state = textMember(s, "state", at);
      session.idle = textMember(s, "idle", at);
      session.logon = textMember(s, "logon", at);
      session.current = boolMember(s, "current", at, false);
      if (session.current && !c.local)
        refuse(at + ".current", "only the local computer holds the caller's session");
      c.sessions.push_back(std::move(session));
    }
  }

  Fleet fleet_;
};

} // namespace

Fleet loadFleet(std::string_view jsonText) {
  Json root;
  try {
    root = Json::parse(jsonText.begin(), jsonText.end());
  } catch (const Json::parse_error &e) {
    throw FleetError(std::string("fleet: not valid JSON: ") + e.what());
  }
  return Loader().load(root);
}

} // namespace qv::lab
