#include "automation/fleet.hpp"

#include "automation/call_args.hpp"
#include "automation/fleet_member.hpp"
#include "automation/fleet_workers.hpp"
#include "automation/script_array.hpp"
#include "core/automation_error.hpp"
#include "fleet/fleet_runner.hpp"
#include "fleet/fleet_settings.hpp"
#include "fleet/fleet_targets.hpp"
#include "fleet/plain_arguments.hpp"
#include "platform/win32/dispatch_holder.hpp"

namespace qv::com {
namespace {

[[noreturn]] void refuse(const std::string &why) { throw runtimeError(kInvalidCall, why); }

// A refusal names Run once, whichever reader of the arguments refused.
template <class Body> auto namingRun(Body body) {
  try {
    return body();
  } catch (const AutomationError &error) {
    if (error.description().starts_with("Run: ")) throw;
    throw AutomationError(error.number(), error.source(), "Run: " + error.description());
  }
}

} // namespace

void Fleet::setTimeout(const Variant &seconds) { timeout_ = fleet::readTimeout(seconds, *regional_); }

void Fleet::setParallel(const Variant &hosts) { parallel_ = fleet::readParallel(hosts, *regional_); }

std::vector<std::string> Fleet::computersIn(const Variant &computers) const {
  std::vector<std::string> names;
  auto addName = [&](const Variant &item) { names.push_back(fleet::listedComputer(item, *regional_)); };
  if (computers.isArray()) {
    for (const Variant &item : computers.array().items)
      addName(item);
  } else if (auto collection = computers.as<Collection>()) {
    for (const Variant &item : *collection)
      addName(item);
  } else if (auto object = computers.as<win32::DispatchHolder>()) {
    for (const Variant &item : scriptArrayItems(object->dispatch().get()))
      addName(item);
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
  FleetMember member = namingRun([&] { return findFleetMember(args.text(0), args.text(1)); });
  // The workers get plain copies: nothing of the caller's apartment may
  // reach their threads.
  auto rest = std::make_shared<std::vector<Variant>>();
  namingRun([&] {
    for (std::size_t index = 3; index < args.count(); ++index)
      rest->push_back(fleet::plainArgument(args.value(index)));
  });
  if (rest->size() < member.required || rest->size() > member.total ||
      (member.target && *member.target > rest->size())) {
    refuse("Run: " + member.name + " takes " + std::to_string(member.required) + " to " +
           std::to_string(member.total) + " arguments besides the computer");
  }
  std::vector<std::string> computers = namingRun([&] { return computersIn(args.value(2)); });

  fleet::RunOptions options{member.name, std::chrono::duration<double>(timeout_), parallel_};
  std::shared_ptr<const std::vector<Variant>> shared = std::move(rest);
  fleet::HostCallMaker makeCall = [member, shared]() -> fleet::HostCall {
    auto caller = std::make_shared<HostCaller>(member, shared);
    return [caller](const std::string &computer) { return caller->call(computer); };
  };
  running_ = true;
  struct Done {
    bool &running;
    ~Done() { running = false; }
  } done{running_};
  return fleet::runFleet(computers, makeCall, options, comWorkers());
}

} // namespace qv::com
