// Two apartments at once, run in the lab's Wine prefix: two threads, each
// with CoInitializeEx(COINIT_APARTMENTTHREADED) and objects of its own, sort
// the services of different computers by different fields and page through
// event logs at the same time. Each thread first takes its results alone,
// then waits for the other and repeats the same calls while the other runs;
// every repeat must give exactly the results the thread had alone: state
// shared between the threads would hand results of one computer to the other
// as soon as the calls interleave.
//
//   quorvane_apartments.exe [rounds per thread, default 300]

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <latch>
#include <string>
#include <vector>

#include "hardening/dispatch_calls.hpp"

namespace {

using namespace qv::hardening;

// What one apartment does, and what it saw.
struct Apartment {
  Apartment(const wchar_t *workgroup, const wchar_t *computer, const wchar_t *sortKey, const wchar_t *log,
            const wchar_t *fleetHosts)
      : workgroup(workgroup), computer(computer), sortKey(sortKey), log(log), fleetHosts(fleetHosts) {}

  const wchar_t *workgroup;
  const wchar_t *computer;
  const wchar_t *sortKey;
  const wchar_t *log;
  const wchar_t *fleetHosts; // "WORKGROUP/COMPUTER" entries

  HRESULT initialized = E_FAIL;
  std::vector<std::string> sorted; // "Name" of each sorted record, in order
  std::vector<std::string> events; // record number and TimeGenerated of each event
  std::vector<std::string> fleet;  // per host: its computer and its sorted names
  long rounds = 0;
  long differing = 0;
  std::string firstDifference;
  double seconds = 0;
  std::atomic<bool> finished{false}; // set as the thread's last act
};

std::string fieldOf(IDispatch *record, const wchar_t *key) {
  std::vector<VariantValue> a;
  a.push_back(text(key));
  Outcome o = get(record, L"Item", std::move(a));
  return o.hr == S_OK ? narrow(*o.value.get()) : "<" + hex(o.scode) + ">";
}

// The items of a collection in For Each order.
std::vector<ComPtr<IDispatch>> itemsOf(IDispatch *collection) {
  std::vector<ComPtr<IDispatch>> items;
  forEachItem(collection, [&](const VariantValue &item) {
    if (item.type() == VT_DISPATCH) items.emplace_back(V_DISPATCH(item.get()));
  });
  return items;
}

std::vector<std::string> sortedNames(IDispatch *services, const wchar_t *sortKey) {
  std::vector<VariantValue> a;
  a.push_back(text(sortKey));
  Outcome o = call(services, L"servicesSorted", std::move(a));
  if (o.hr != S_OK) return {"servicesSorted failed: " + hex(o.scode)};
  std::vector<std::string> names;
  for (const auto &record : itemsOf(objectOf(o).get()))
    names.push_back(fieldOf(record.get(), L"Name"));
  return names;
}

std::vector<std::string> eventTimes(IDispatch *events, const Apartment &a) {
  std::vector<VariantValue> args;
  args.push_back(text(a.computer));
  args.push_back(text(a.log));
  args.push_back(whole(25));
  Outcome o = call(events, L"EnumLogEvents", std::move(args));
  if (o.hr != S_OK) return {"EnumLogEvents failed: " + hex(o.scode)};
  std::vector<std::string> times;
  for (const auto &record : itemsOf(objectOf(o).get()))
    times.push_back(fieldOf(record.get(), L"RecordNumber") + " " + fieldOf(record.get(), L"TimeGenerated"));
  return times;
}

std::vector<std::string> fleetNames(IDispatch *fleet, const Apartment &a) {
  std::vector<VariantValue> args;
  args.push_back(text(L"Services"));
  args.push_back(text(L"servicesSorted"));
  args.push_back(text(a.fleetHosts));
  args.push_back(text(a.sortKey));
  Outcome o = call(fleet, L"Run", std::move(args));
  if (o.hr != S_OK) return {"Run failed: " + hex(o.scode)};
  std::vector<std::string> hosts;
  for (const auto &record : itemsOf(objectOf(o).get())) {
    std::string line = fieldOf(record.get(), L"Computer") + ":";
    std::vector<VariantValue> key;
    key.push_back(text(L"Result"));
    ComPtr<IDispatch> result = objectOf(get(record.get(), L"Item", std::move(key)));
    if (!result) line += " failed " + fieldOf(record.get(), L"Description");
    for (const auto &service : result ? itemsOf(result.get()) : std::vector<ComPtr<IDispatch>>{})
      line += " " + fieldOf(service.get(), L"Name");
    hosts.push_back(line);
  }
  return hosts;
}

void run(Apartment &a, long rounds, std::latch &bothReady) {
  a.initialized = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  {
    ComPtr<IDispatch> services = create(L"Quorvane.Services");
    ComPtr<IDispatch> events = create(L"Quorvane.EventLog");
    ComPtr<IDispatch> fleet = create(L"Quorvane.Fleet");
    if (services && events && fleet) {
      put(services.get(), L"setWorkgroup", text(a.workgroup));
      put(services.get(), L"setComputerName", text(a.computer));
      // Alone first: this thread's own results.
      a.sorted = sortedNames(services.get(), a.sortKey);
      a.events = eventTimes(events.get(), a);
      a.fleet = fleetNames(fleet.get(), a);
    }
    bothReady.arrive_and_wait();
    LARGE_INTEGER frequency, started, ended;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);
    for (long i = 0; services && events && fleet && i < rounds; ++i) {
      auto names = sortedNames(services.get(), a.sortKey);
      auto times = eventTimes(events.get(), a);
      auto hosts = fleetNames(fleet.get(), a);
      ++a.rounds;
      if (names != a.sorted || times != a.events || hosts != a.fleet) {
        if (a.differing++ == 0)
          a.firstDifference = "round " + std::to_string(i) + ": " + (names.empty() ? "" : names.front()) +
                              ", " + (times.empty() ? "" : times.front());
      }
    }
    QueryPerformanceCounter(&ended);
    a.seconds =
        static_cast<double>(ended.QuadPart - started.QuadPart) / static_cast<double>(frequency.QuadPart);
  }
  if (SUCCEEDED(a.initialized)) CoUninitialize();
  a.finished = true;
}

std::string narrowName(const wchar_t *wide) { return std::string(wide, wide + wcslen(wide)); }

std::string joined(const std::vector<std::string> &items, std::size_t most) {
  std::string out;
  for (std::size_t i = 0; i < items.size() && i < most; ++i)
    out += (i ? ", " : "") + items[i];
  return out + (items.size() > most ? ", ..." : "");
}

struct ThreadStart {
  Apartment *apartment;
  long rounds;
  std::latch *bothReady;
};

DWORD WINAPI threadBody(void *start) {
  auto *s = static_cast<ThreadStart *>(start);
  run(*s->apartment, s->rounds, *s->bothReady);
  return 0;
}

// How long a thread may take to end once its work is done, and how long
// the work itself may take.
constexpr ULONGLONG kThreadEndMs = 30000;
constexpr ULONGLONG kWorkMs = 600000;

// Waits for both threads to end; false when they do not.
bool bothEnd(HANDLE (&threads)[2], const Apartment &first, const Apartment &second, std::string &why) {
  const ULONGLONG started = GetTickCount64();
  ULONGLONG workDone = 0;
  for (;;) {
    if (WaitForMultipleObjects(2, threads, TRUE, 100) == WAIT_OBJECT_0) return true;
    const ULONGLONG now = GetTickCount64();
    if (first.finished && second.finished) {
      if (workDone == 0) workDone = now;
      if (now - workDone > kThreadEndMs) {
        why = "the threads finished their work but did not end within 30 s";
        return false;
      }
    } else if (now - started > kWorkMs) {
      why = "the threads did not finish their work within 10 minutes";
      return false;
    }
  }
}

using CanUnload = HRESULT(STDAPICALLTYPE *)();

// The callers the lab's hosts that never answer hold, as the lab counts them.
std::string stuckCallers() {
  char value[32] = "";
  DWORD length = GetEnvironmentVariableA("QV_LAB_STUCK_CALLERS", value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string("0");
}

// A fleet whose one host never answers, run from this thread's own
// apartment: the record must carry the time-out, and the module must stay
// loaded while the abandoned worker is stuck in its call.
void leaveStuckWorker(Checks &checks) {
  HRESULT initialized = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  {
    ComPtr<IDispatch> fleet = create(L"Quorvane.Fleet");
    checks.expect(static_cast<bool>(fleet), "a fleet is created");
    if (!fleet) return;
    put(fleet.get(), L"Timeout", whole(1));
    std::vector<VariantValue> args;
    args.push_back(text(L"ServerInfo"));
    args.push_back(text(L"osInfo"));
    args.push_back(text(L"HUNG1"));
    const ULONGLONG started = GetTickCount64();
    Outcome o = call(fleet.get(), L"Run", std::move(args));
    const ULONGLONG took = GetTickCount64() - started;
    auto records = itemsOf(objectOf(o).get());
    std::string number = records.empty() ? "none" : fieldOf(records.front().get(), L"Number");
    std::printf("HUNG1: Run returned after %llu ms, Number %s\n", static_cast<unsigned long long>(took),
                number.c_str());
    checks.expect(took < 3000 && number == std::to_string(static_cast<int32_t>(0x800705B4)),
                  "a host that never answers ends its Run at the bound with the time-out");
    // While its call is out the host fails at once: later runs add no
    // thread and the lab holds no further caller.
    const long before = threadCount();
    const ULONGLONG again = GetTickCount64();
    for (int run = 0; run < 200; ++run) {
      std::vector<VariantValue> more;
      more.push_back(text(L"ServerInfo"));
      more.push_back(text(L"osInfo"));
      more.push_back(text(L"HUNG1 WEB1"));
      call(fleet.get(), L"Run", std::move(more));
    }
    Sleep(200); // the last run's worker may still be leaving its thread
    const long after = threadCount();
    std::printf("HUNG1 again: 200 runs in %llu ms, threads %ld -> %ld, lab callers held %s\n",
                static_cast<unsigned long long>(GetTickCount64() - again), before, after,
                stuckCallers().c_str());
    checks.expect(after <= before, "200 more runs with the hung host add no thread");
    checks.expect(stuckCallers() == "1", "the lab's hung host holds one caller after 201 runs");
  }
  HMODULE module = GetModuleHandleW(L"quorvane.dll");
  auto canUnload =
      module
          ? reinterpret_cast<CanUnload>(reinterpret_cast<void *>(GetProcAddress(module, "DllCanUnloadNow")))
          : nullptr;
  checks.expect(canUnload && canUnload() == S_FALSE,
                "DllCanUnloadNow is S_FALSE while a fleet worker is stuck, all objects released");
  CoFreeUnusedLibrariesEx(0, 0);
  checks.expect(GetModuleHandleW(L"quorvane.dll") == module,
                "the module stays loaded under its stuck worker");
  if (SUCCEEDED(initialized)) CoUninitialize();
}

} // namespace

int main(int argc, char **argv) {
  const long rounds = argc > 1 ? std::atol(argv[1]) : 300;
  Checks checks;
  // Different computers, different sort fields, different logs: anything
  // one apartment saw of the other's would show.
  Apartment first(L"CORP", L"WEB1", L"DisplayName", L"Security", L"CORP/WEB1 CORP/WEB2");
  Apartment second(L"LABNET", L"LABHOST", L"Name", L"Application", L"LABNET/LABHOST CORP/DB1");
  std::latch bothReady(2);
  ThreadStart starts[] = {{&first, rounds, &bothReady}, {&second, rounds, &bothReady}};
  // Plain system threads, as a host's worker threads are; each must also
  // end: a thread that cannot leave (a per-thread destructor of a DLL the
  // last apartment unloaded) would hang its host.
  HANDLE threads[2];
  for (int i = 0; i < 2; ++i)
    threads[i] = CreateThread(nullptr, 0, threadBody, &starts[i], 0, nullptr);
  std::string why;
  const bool ended = bothEnd(threads, first, second, why);

  for (const Apartment *a : {&first, &second}) {
    const std::string name = narrowName(a->computer);
    std::printf("%s: sorted by %s: %zu services (%s)\n", name.c_str(), narrowName(a->sortKey).c_str(),
                a->sorted.size(), joined(a->sorted, 4).c_str());
    std::printf("%s: %s log, %zu events on the first page, newest %s\n", name.c_str(),
                narrowName(a->log).c_str(), a->events.size(),
                a->events.empty() ? "-" : a->events.front().c_str());
    std::printf("%s: %ld rounds alongside the other apartment in %.2f s (%.0f rounds/s), %ld differing\n",
                name.c_str(), a->rounds, a->seconds, a->rounds / (a->seconds > 0 ? a->seconds : 1),
                a->differing);
    checks.expect(a->initialized == S_OK, name + ": the thread has an apartment of its own");
    checks.expect(a->sorted.size() > 1 && a->sorted.front().find("failed") == std::string::npos,
                  name + ": servicesSorted lists the computer's services");
    checks.expect(!a->events.empty() && a->events.front().find("failed") == std::string::npos,
                  name + ": EnumLogEvents lists events with their times");
    checks.expect(a->fleet.size() == 2 && a->fleet.front().find("failed") == std::string::npos,
                  name + ": Run sorts the services of both fleet hosts (" +
                      joined(a->fleet, 1).substr(0, 60) + ")");
    checks.expect(a->rounds == rounds, name + ": every round ran");
    checks.expect(a->differing == 0,
                  name + ": every round alongside the other gives the results of the thread alone" +
                      (a->firstDifference.empty() ? "" : " (" + a->firstDifference + ")"));
  }
  checks.expect(first.sorted != second.sorted && first.events != second.events,
                "the two apartments work on different data, so a mix-up would show");
  checks.expect(ended, "both threads end once their apartments are closed" + (why.empty() ? "" : ": " + why));
  if (ended) leaveStuckWorker(checks);
  const int result = checks.finish();
  std::fflush(stdout);
  if (!ended) TerminateProcess(GetCurrentProcess(), 1); // a stuck thread would hang the exit too
  for (HANDLE thread : threads)
    CloseHandle(thread);
  return result;
}
