#include "lab/com/directory_object.hpp"

#include "lab/com/item_enumerator.hpp"
#include "lab/com/lab_state.hpp"
#include "lab/com/value_variant.hpp"
#include "lab/model/backups.hpp"
#include "lab/model/directory_paths.hpp"
#include "lab/model/lab_error.hpp"
#include "lab/model/service_control.hpp"
#include "lab/model/site_control.hpp"
#include "lab/model/text.hpp"

namespace qv::lab {
namespace {

enum : DISPID {
  kName = 1,
  kClass,
  kAdsPath,
  kParent,
  kGet,
  kGetEx,
  kPut,
  kSetInfo,
  kGetInfo,
  kGetObject,
  kFilter,
  kStart,
  kStop,
  kPause,
  kContinue,
  kEnumBackups,
  kBackup,
  kDeleteBackup,
  kFirstProperty = 1000,
};

const NamedMember kMembers[] = {
    {"Name", kName},         {"Class", kClass},
    {"ADsPath", kAdsPath},   {"Parent", kParent},
    {"Get", kGet},           {"GetEx", kGetEx},
    {"Put", kPut},           {"SetInfo", kSetInfo},
    {"GetInfo", kGetInfo},   {"GetObject", kGetObject},
    {"Filter", kFilter},     {"Start", kStart},
    {"Stop", kStop},         {"Pause", kPause},
    {"Continue", kContinue}, {"EnumBackups", kEnumBackups},
    {"Backup", kBackup},     {"DeleteBackup", kDeleteBackup},
};

const char *sourceOf(const DirNode &node) {
  return startsWithNoCase(node.path, "IIS:") ? "QuorvaneLab.IIS" : "QuorvaneLab.WinNT";
}

bool controllable(const DirNode &node) {
  return node.className == "Service" || node.className == "IIsWebServer";
}

std::vector<std::string> classNames(const Value &value) {
  std::vector<std::string> names;
  if (auto text = value.as<std::string>()) names.push_back(*text);
  if (auto list = value.as<Value::Array>())
    for (const auto &item : *list)
      names.push_back(item.toText());
  return names;
}

} // namespace

DirectoryObject::DirectoryObject(DirNodePtr node) : LabDispatch(sourceOf(*node)), node_(std::move(node)) {}

bool DirectoryObject::offers(DISPID id) const {
  switch (id) {
  case kStart:
  case kStop:
  case kPause:
  case kContinue: return controllable(*node_);
  case kEnumBackups:
  case kBackup:
  case kDeleteBackup: return node_->className == "IIsComputer";
  default: return true;
  }
}

DISPID DirectoryObject::memberId(std::string_view name) {
  if (equalsNoCase(name, "_NewEnum")) return DISPID_NEWENUM;
  DISPID id = findMember(kMembers, std::size(kMembers), name);
  if (id != DISPID_UNKNOWN) return offers(id) ? id : DISPID_UNKNOWN;
  const auto &entries = node_->props.entries();
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (equalsNoCase(entries[i].first, name)) return kFirstProperty + static_cast<DISPID>(i);
  return DISPID_UNKNOWN;
}

Value DirectoryObject::read(std::string_view property) const {
  if (equalsNoCase(property, "Name")) return Value(node_->name);
  if (equalsNoCase(property, "Class")) return Value(node_->className);
  if (equalsNoCase(property, "ADsPath")) return Value(node_->path);
  if (equalsNoCase(property, "Parent")) return Value(node_->parent ? node_->parent->path : std::string());
  if (node_->className == "Service") serviceStatus(*node_, LabState::clockMs());
  const Value *value = pending_.find(property);
  if (!value) value = node_->props.find(property);
  if (!value || value->isNull()) throw LabError(code::kPropertyNotFound);
  return *value;
}

void DirectoryObject::write(std::string_view property, const VARIANT &value) {
  const std::string *spelling = node_->props.spelling(property);
  if (!spelling) throw LabError(code::kPropertyNotSupported);
  pending_.set(*spelling, coerceLike(value, *node_->props.find(property)));
}

void DirectoryObject::setInfo() {
  for (const auto &[name, value] : pending_.entries()) {
    if (node_->className == "Service") checkServiceWrite(name, value);
    if (node_->className == "IIsWebServer" && equalsNoCase(name, "ServerState"))
      throw LabError(code::kPropertyNotSupported);
  }
  for (const auto &[name, value] : pending_.entries())
    node_->props.set(name, value);
  pending_ = PropertyBag();
}

void DirectoryObject::enumerate(VARIANT &result) const {
  std::vector<DirNodePtr> items;
  for (const auto &child : node_->children) {
    if (!filter_.empty()) {
      bool wanted = false;
      for (const auto &c : filter_)
        wanted = wanted || equalsNoCase(c, child->className);
      if (!wanted) continue;
    }
    items.push_back(child);
  }
  giveEnumerator(
      [items] {
        return ItemEnumerator::Source([items, at = std::size_t{0}](VARIANT &out) mutable {
          if (at >= items.size()) return false;
          giveObject(com::makeComObject<DirectoryObject>(items[at++]), out);
          return true;
        });
      },
      result);
}

void DirectoryObject::control(DISPID id) {
  DirNode &node = *node_;
  bool service = node.className == "Service";
  int64_t now = LabState::clockMs();
  switch (id) {
  case kStart: service ? startService(node, now) : startSite(node); break;
  case kStop: service ? stopService(node, now) : stopSite(node); break;
  case kPause: service ? pauseService(node, now) : pauseSite(node); break;
  case kContinue: service ? continueService(node, now) : continueSite(node); break;
  default: break;
  }
}

// EnumBackups(location, index, version, location, date): the last three are
// written into the caller's variables.
void DirectoryObject::enumBackups(CallArgs &args, VARIANT &result) {
  args.require(2, 5);
  const Backup &b = backupAt(*node_->computer, args.text(0), args.int32(1));
  args.writeBack(2, Value(b.version));
  args.writeBack(3, Value(b.location));
  args.writeBack(4, Value(b.date));
  VariantClear(&result);
}

// Backup(name, version, flags).
void DirectoryObject::backup(CallArgs &args) {
  args.require(1, 3);
  int32_t version = args.present(1) ? args.int32(1) : kNextVersion;
  int32_t flags = args.present(2) ? args.int32(2) : 0;
  makeBackup(*node_->computer, args.text(0), version, flags, LabState::now());
}

void DirectoryObject::call(DISPID id, WORD flags, CallArgs &args, VARIANT &result) {
  if (id == DISPID_NEWENUM) return enumerate(result);
  if (id >= kFirstProperty) {
    const auto &entries = node_->props.entries();
    auto index = static_cast<std::size_t>(id - kFirstProperty);
    if (index >= entries.size()) throw DispatchFailure{DISP_E_MEMBERNOTFOUND};
    if (isAssignment(flags)) return write(entries[index].first, *args.assigned());
    args.require(0, 0);
    return toVariant(read(entries[index].first), &result);
  }
  if (!offers(id)) throw DispatchFailure{DISP_E_MEMBERNOTFOUND};
  switch (id) {
  case kName:
  case kClass:
  case kAdsPath:
  case kParent:
    if (isAssignment(flags)) throw LabError(code::kPropertyNotSupported);
    toVariant(read(kMembers[id - 1].name), &result);
    return;
  case kGet:
    args.require(1, 1);
    toVariant(read(args.text(0)), &result);
    return;
  case kGetEx: {
    args.require(1, 1);
    Value value = read(args.text(0));
    toVariant(value.as<Value::Array>() ? value : Value(Value::Array{value}), &result);
    return;
  }
  case kPut:
    args.require(2, 2);
    write(args.text(0), args.raw(1));
    return;
  case kSetInfo: args.require(0, 0); return setInfo();
  case kGetInfo:
    args.require(0, 0);
    pending_ = PropertyBag();
    return;
  case kGetObject: {
    args.require(2, 2);
    giveObject(com::makeComObject<DirectoryObject>(childOf(*node_, args.text(0), args.text(1))), result);
    return;
  }
  case kFilter:
    if (isAssignment(flags)) {
      filter_ = classNames(fromVariant(*args.assigned()));
      return;
    }
    {
      Value::Array names;
      for (const auto &name : filter_)
        names.emplace_back(name);
      toVariant(Value(std::move(names)), &result);
    }
    return;
  case kStart:
  case kStop:
  case kPause:
  case kContinue: args.require(0, 0); return control(id);
  case kEnumBackups: return enumBackups(args, result);
  case kBackup: return backup(args);
  case kDeleteBackup:
    args.require(1, 2);
    deleteBackup(*node_->computer, args.text(0), args.present(1) ? args.int32(1) : kHighestVersion);
    return;
  default: throw DispatchFailure{DISP_E_MEMBERNOTFOUND};
  }
}

} // namespace qv::lab
