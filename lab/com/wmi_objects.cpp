#include "lab/com/wmi_objects.hpp"

#include "lab/com/item_enumerator.hpp"
#include "lab/com/lab_state.hpp"
#include "lab/com/value_variant.hpp"
#include "lab/model/lab_error.hpp"
#include "lab/model/text.hpp"

namespace qv::lab {
namespace {

constexpr const char *kSource = "QuorvaneLab.WMI";
constexpr DISPID kFirstProperty = 1000;

using CursorFactory = std::function<std::unique_ptr<InstanceCursor>()>;

// The parameters of the methods the lab serves.
struct MethodShape {
  const char *name;
  std::vector<const char *> inputs;
  std::vector<const char *> outputs; // ReturnValue first
};

const std::vector<MethodShape> &processMethods() {
  static const std::vector<MethodShape> methods = {
      {"GetOwner", {}, {"ReturnValue", "User", "Domain"}},
      {"Terminate", {"Reason"}, {"ReturnValue"}},
  };
  return methods;
}

const MethodShape *methodOf(std::string_view className, std::string_view name) {
  if (!equalsNoCase(className, "Win32_Process")) return nullptr;
  for (const auto &m : processMethods())
    if (equalsNoCase(m.name, name)) return &m;
  return nullptr;
}

// An instance, or a parameter object (writable, with no methods).
class WmiInstance final : public LabDispatch {
public:
  WmiInstance(Computer *computer, std::string className, InstancePtr instance, bool writable)
      : LabDispatch(kSource), computer_(computer), className_(std::move(className)),
        instance_(std::move(instance)), writable_(writable) {}

protected:
  enum : DISPID { kMethods = 1, kExecMethod, kGetOwner, kTerminate, kSpawnInstance, kPath };

  DISPID memberId(std::string_view name) override {
    static const NamedMember members[] = {
        {"Methods_", kMethods},    {"ExecMethod_", kExecMethod},       {"GetOwner", kGetOwner},
        {"Terminate", kTerminate}, {"SpawnInstance_", kSpawnInstance}, {"Path_", kPath}};
    DISPID id = findMember(members, std::size(members), name);
    if ((id == kGetOwner || id == kTerminate) && !methodOf(className_, name)) id = DISPID_UNKNOWN;
    if (id == kSpawnInstance && !writable_) id = DISPID_UNKNOWN;
    if (id != DISPID_UNKNOWN) return id;
    const auto &entries = instance_->props.entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
      if (equalsNoCase(entries[i].first, name)) return kFirstProperty + static_cast<DISPID>(i);
    return DISPID_UNKNOWN;
  }

  void call(DISPID id, WORD flags, CallArgs &args, VARIANT &result) override;

private:
  // Runs a method; its outputs in the order of the shape.
  std::vector<Value> run(const MethodShape &method) {
    if (method.name == std::string("GetOwner")) {
      std::string user, domain;
      int32_t code = processOwner(*instance_, user, domain);
      if (code != 0) return {Value(code), Value(), Value()};
      return {Value(code), Value(user), Value(domain)};
    }
    return {Value(terminateProcess(*computer_, *instance_))};
  }

  void execMethod(CallArgs &args, VARIANT &result);

  Computer *computer_;
  std::string className_;
  InstancePtr instance_;
  bool writable_;
};

// Methods_ and its items.
class WmiMethod final : public LabDispatch {
public:
  explicit WmiMethod(const MethodShape &shape) : LabDispatch(kSource), shape_(shape) {}

protected:
  DISPID memberId(std::string_view name) override {
    static const NamedMember members[] = {{"Name", 1}, {"InParameters", 2}, {"OutParameters", 3}};
    return findMember(members, std::size(members), name);
  }
  void call(DISPID id, WORD flags, CallArgs &args, VARIANT &result) override {
    if (isAssignment(flags)) throw LabError(code::kWbemNotSupported);
    args.require(0, 0);
    if (id == 1) return toVariant(Value(shape_.name), &result);
    const auto &names = id == 2 ? shape_.inputs : shape_.outputs;
    if (names.empty()) {
      V_VT(&result) = VT_DISPATCH;
      V_DISPATCH(&result) = nullptr;
      return;
    }
    auto parameters = std::make_shared<Instance>();
    for (const char *n : names)
      parameters->props.set(n, Value());
    giveObject(com::makeComObject<WmiInstance>(nullptr, "__PARAMETERS", parameters, true), result);
  }

private:
  const MethodShape &shape_;
};

class WmiMethodSet final : public LabDispatch {
public:
  explicit WmiMethodSet(std::string className) : LabDispatch(kSource), className_(std::move(className)) {}

protected:
  DISPID memberId(std::string_view name) override {
    if (equalsNoCase(name, "_NewEnum")) return DISPID_NEWENUM;
    static const NamedMember members[] = {{"Item", DISPID_VALUE}, {"Count", 1}};
    return findMember(members, std::size(members), name);
  }
  void call(DISPID id, WORD, CallArgs &args, VARIANT &result) override {
    std::vector<const MethodShape *> shapes;
    if (equalsNoCase(className_, "Win32_Process"))
      for (const auto &m : processMethods())
        shapes.push_back(&m);
    if (id == 1) return toVariant(Value(static_cast<int32_t>(shapes.size())), &result);
    if (id == DISPID_VALUE) {
      args.require(1, 2);
      const MethodShape *shape = methodOf(className_, args.text(0));
      if (!shape) throw LabError(code::kWbemNotFound);
      return giveObject(com::makeComObject<WmiMethod>(*shape), result);
    }
    giveEnumerator(
        [shapes] {
          return ItemEnumerator::Source([shapes, at = std::size_t{0}](VARIANT &out) mutable {
            if (at >= shapes.size()) return false;
            giveObject(com::makeComObject<WmiMethod>(*shapes[at++]), out);
            return true;
          });
        },
        result);
  }

private:
  std::string className_;
};

// Path_: the class and the instance's relative path.
class WmiPath final : public LabDispatch {
public:
  WmiPath(std::string className, std::string relPath, std::string server)
      : LabDispatch(kSource), className_(std::move(className)), relPath_(std::move(relPath)),
        server_(std::move(server)) {}

protected:
  DISPID memberId(std::string_view name) override {
    static const NamedMember members[] = {{"Class", 1}, {"RelPath", 2}, {"Server", 3}, {"Namespace", 4}};
    return findMember(members, std::size(members), name);
  }
  void call(DISPID id, WORD, CallArgs &args, VARIANT &result) override {
    args.require(0, 0);
    const std::string texts[] = {className_, relPath_, server_, "root\\cimv2"};
    toVariant(Value(texts[id - 1]), &result);
  }

private:
  std::string className_, relPath_, server_;
};

void WmiInstance::call(DISPID id, WORD flags, CallArgs &args, VARIANT &result) {
  if (id >= kFirstProperty) {
    const auto &entries = instance_->props.entries();
    auto index = static_cast<std::size_t>(id - kFirstProperty);
    if (index >= entries.size()) throw DispatchFailure{DISP_E_MEMBERNOTFOUND};
    if (isAssignment(flags)) {
      if (!writable_) throw LabError(code::kWbemNotSupported);
      instance_->props.set(entries[index].first, fromVariant(*args.assigned()));
      return;
    }
    args.require(0, 0);
    return toVariant(entries[index].second, &result);
  }
  switch (id) {
  case kMethods: args.require(0, 0); return giveObject(com::makeComObject<WmiMethodSet>(className_), result);
  case kExecMethod: return execMethod(args, result);
  case kGetOwner: {
    args.require(0, 2);
    std::vector<Value> outputs = run(*methodOf(className_, "GetOwner"));
    args.writeBack(0, outputs[1]);
    args.writeBack(1, outputs[2]);
    return toVariant(outputs[0], &result);
  }
  case kTerminate: args.require(0, 1); return toVariant(run(*methodOf(className_, "Terminate"))[0], &result);
  case kSpawnInstance: {
    args.require(0, 1);
    auto copy = std::make_shared<Instance>(*instance_);
    return giveObject(com::makeComObject<WmiInstance>(computer_, className_, copy, true), result);
  }
  case kPath: {
    args.require(0, 0);
    std::string relPath = className_;
    const Value *key = instance_->props.find(equalsNoCase(className_, "Win32_Process") ? "Handle" : "Name");
    if (key && !key->isNull()) relPath += ".Name=\"" + key->toText() + "\"";
    return giveObject(com::makeComObject<WmiPath>(className_, relPath, computer_ ? computer_->name : ""),
                      result);
  }
  default: throw DispatchFailure{DISP_E_MEMBERNOTFOUND};
  }
}

// ExecMethod_(name [, in-parameters]): the out-parameters object.
void WmiInstance::execMethod(CallArgs &args, VARIANT &result) {
  args.require(1, 4);
  const MethodShape *shape = methodOf(className_, args.text(0));
  if (!shape) throw LabError(code::kWbemNotFound);
  std::vector<Value> outputs = run(*shape);
  auto parameters = std::make_shared<Instance>();
  for (std::size_t i = 0; i < shape->outputs.size(); ++i)
    parameters->props.set(shape->outputs[i], outputs[i]);
  giveObject(com::makeComObject<WmiInstance>(nullptr, "__PARAMETERS", parameters, false), result);
}

// A result set: walked lazily, again from the start by each _NewEnum.
class WmiObjectSet final : public LabDispatch {
public:
  WmiObjectSet(Computer &computer, std::string className, CursorFactory factory)
      : LabDispatch(kSource), computer_(computer), className_(std::move(className)),
        factory_(std::move(factory)) {}

protected:
  enum : DISPID { kCount = 1, kItemIndex };

  DISPID memberId(std::string_view name) override {
    if (equalsNoCase(name, "_NewEnum")) return DISPID_NEWENUM;
    static const NamedMember members[] = {{"Count", kCount}, {"ItemIndex", kItemIndex}};
    return findMember(members, std::size(members), name);
  }

  void call(DISPID id, WORD, CallArgs &args, VARIANT &result) override {
    if (id == DISPID_NEWENUM) {
      Computer *computer = &computer_;
      std::string className = className_;
      CursorFactory factory = factory_;
      giveEnumerator(
          [computer, className, factory] {
            std::shared_ptr<InstanceCursor> cursor = factory();
            return ItemEnumerator::Source([computer, className, cursor](VARIANT &out) {
              InstancePtr next = cursor->next();
              if (!next) return false;
              giveObject(com::makeComObject<WmiInstance>(computer, className, next, false), out);
              return true;
            });
          },
          result);
      return;
    }
    if (id == kCount) {
      args.require(0, 0);
      int32_t count = 0;
      for (auto cursor = factory_(); cursor->next();)
        ++count;
      return toVariant(Value(count), &result);
    }
    args.require(1, 1);
    int32_t index = args.int32(0);
    auto cursor = factory_();
    for (int32_t i = 0; InstancePtr item = cursor->next(); ++i) {
      if (i == index)
        return giveObject(com::makeComObject<WmiInstance>(&computer_, className_, item, false), result);
    }
    throw LabError(code::kWbemNotFound);
  }

private:
  Computer &computer_;
  std::string className_;
  CursorFactory factory_;
};

} // namespace

WmiService::WmiService(Computer &computer, Privileges privileges)
    : LabDispatch(kSource), computer_(computer), privileges_(privileges) {}

DISPID WmiService::memberId(std::string_view name) {
  static const NamedMember members[] = {{"InstancesOf", 1}, {"ExecQuery", 2}};
  return findMember(members, std::size(members), name);
}

void WmiService::call(DISPID id, WORD, CallArgs &args, VARIANT &result) {
  const Fleet &fleet = LabState::instance().fleet();
  Computer *computer = &computer_;
  std::string className;
  CursorFactory factory;
  if (id == 1) {
    args.require(1, 3);
    std::string name = args.text(0);
    instancesOf(fleet, computer_, name); // an unknown class fails here
    className = fleet.findClass(name)->name;
    factory = [&fleet, computer, name, p = privileges_] { return instancesOf(fleet, *computer, name, p); };
  } else {
    args.require(1, 4);
    std::string text = args.text(0);
    if (args.present(1) && !equalsNoCase(args.text(1), "WQL")) throw LabError(code::kWbemInvalidQueryType);
    WqlQuery parsed = parseWql(text); // a bad query fails here
    const ClassSchema *schema = fleet.findClass(parsed.className);
    if (!schema) throw LabError(code::kWbemInvalidClass);
    bindWql(parsed, *schema);
    className = schema->name;
    factory = [&fleet, computer, text, p = privileges_] { return execQuery(fleet, *computer, text, p); };
  }
  giveObject(com::makeComObject<WmiObjectSet>(computer_, className, std::move(factory)), result);
}

} // namespace qv::lab
