#include "automation/fleet.hpp"

#include "automation/call_args.hpp"
#include "automation/fleet_member.hpp"
#include "automation/fleet_workers.hpp"
#include "core/convert.hpp"
#include "core/handlers.hpp"
#include "fleet/fleet_runner.hpp"
#include "fleet/fleet_targets.hpp"
#include "platform/win32/dispatch_holder.hpp"
#include "platform/win32/late_bound.hpp"
#include "platform/win32/platform_error.hpp"
#include "platform/win32/variant_value.hpp"

namespace qv::com {
namespace {

constexpr int32_t kMostParallel = 64;

[[noreturn]] void refuse(const std::string &why) { throw runtimeError(kInvalidCall, why); }

// A property read alone: a script engine takes DISPATCH_METHOD as a call.
Variant propertyOf(IDispatch *object, const std::string &name) {
  DISPID id = win32::memberId(object, name);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXCEPINFO info{};
  win32::VariantValue value;
  win32::forgetErrorInfo();
  HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.put(),
                              &info, nullptr);
  if (FAILED(hr)) win32::throwPlatformError(hr, &info);
  return win32::fromVariant(*value.get());
}

} // namespace

void Fleet::setTimeout(int32_t seconds) {
  if (seconds < 0) refuse("Timeout: " + std::to_string(seconds) + " is not 0 or more seconds");
  timeout_ = seconds;
}

void Fleet::setParallel(int32_t hosts) {
  if (hosts < 1 || hosts > kMostParallel)
    refuse("Parallel: " + std::to_string(hosts) + " is not from 1 to 64");
  parallel_ = hosts;
}

std::vector<std::string> Fleet::computersIn(const Variant &computers) const {
  std::vector<std::string> names;
  auto addName = [&](const Variant &item) {
    std::string name = toText(item, *regional_);
    if (name.empty()) refuse("Run: an empty computer name");
    names.push_back(std::move(name));
  };
  if (computers.isArray()) {
    for (const Variant &item : computers.array().items)
      addName(item);
  } else if (auto collection = computers.as<Collection>()) {
    for (const Variant &item : *collection)
      addName(item);
  } else if (auto object = computers.as<win32::DispatchHolder>()) {
    // A script engine's own array (JScript): length and indexed members.
    reportAndFail("Run: computers", [&] {
      IDispatch *array = object->dispatch().get();
      int32_t length = toInt32(propertyOf(array, "length"), *regional_);
      for (int32_t index = 0; index < length; ++index)
        addName(propertyOf(array, std::to_string(index)));
    });
  } else if (computers.isText()) {
    names = fleet::splitComputers(computers.text());
  } else {
    throw runtimeError(kTypeMismatch, "Run: computers is not a list of names");
  }
  return names;
}

CollectionPtr Fleet::run(const CallArgs &args) {
  // Waiting keeps the caller's apartment dispatching, which could bring a
  // second Run onto this object while the first is under way.
  if (running_) refuse("Run: this fleet is already running");
  FleetMember member = findFleetMember(args.text(0), args.text(1));
  std::vector<Variant> rest;
  for (std::size_t index = 3; index < args.count(); ++index) {
    Variant value = args.value(index);
    // A script's object lives in the script's apartment and cannot go to
    // a worker.
    if (value.as<win32::DispatchHolder>())
      throw runtimeError(kTypeMismatch, "Run: an argument is a foreign object");
    rest.push_back(std::move(value));
  }
  if (rest.size() < member.required || rest.size() > member.total ||
      (member.target && *member.target > rest.size())) {
    refuse("Run: " + member.name + " takes " + std::to_string(member.required) + " to " +
           std::to_string(member.total) + " arguments besides the computer");
  }
  std::vector<std::string> computers = computersIn(args.value(2));

  fleet::RunOptions options{member.name, std::chrono::duration<double>(timeout_), parallel_};
  fleet::HostCall call = [member, rest = std::move(rest)](const std::string &computer) {
    return callOnHost(member, rest, computer);
  };
  running_ = true;
  struct Done {
    bool &running;
    ~Done() { running = false; }
  } done{running_};
  return fleet::runFleet(computers, call, options, comWorkers());
}

} // namespace qv::com
