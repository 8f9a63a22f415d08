#include "automation/fleet_workers.hpp"

#include <windows.h>

#include <objbase.h>

#include <memory>

#include "automation/module_state.hpp"
#include "com/module_counts.hpp"
#include "core/automation_error.hpp"

namespace qv::com {
namespace {

using Job = std::function<void()>;

class EventSignal final : public fleet::Signal {
public:
  EventSignal() : event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    if (!event_)
      throw AutomationError(static_cast<int32_t>(HRESULT_FROM_WIN32(GetLastError())), kSource,
                            "Run: no event to wait on");
  }
  EventSignal(const EventSignal &) = delete;
  EventSignal &operator=(const EventSignal &) = delete;
  ~EventSignal() override { CloseHandle(event_); }

  void raise() override { SetEvent(event_); }

  // One handle, no COWAIT_WAITALL: an apartment-threaded caller keeps
  // dispatching its messages and incoming calls while it waits.
  void waitFor(std::chrono::milliseconds timeout) override {
    DWORD index = 0;
    HANDLE handles[] = {event_};
    HRESULT hr = CoWaitForMultipleHandles(0, static_cast<DWORD>(timeout.count()), 1, handles, &index);
    if (hr == CO_E_NOTINITIALIZED) WaitForSingleObject(event_, static_cast<DWORD>(timeout.count()));
  }

private:
  HANDLE event_;
};

DWORD WINAPI workerMain(void *parameter) {
  {
    std::unique_ptr<Job> job(static_cast<Job *>(parameter));
    HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    // A call that goes out of the process (a remote management service)
    // can then be cancelled when its host passes its bound.
    if (SUCCEEDED(hr)) CoEnableCallCancellation(nullptr);
    try {
      (*job)();
    } catch (...) {
      // The runner's work reports its own failures; nothing may leave a
      // thread's entry point.
    }
    job.reset();
    if (SUCCEEDED(hr)) CoUninitialize();
  }
  objectDestroyed();
  // Drops this thread's reference on the DLL without returning into code
  // that could be gone by then.
  FreeLibraryAndExitThread(moduleHandle(), 0);
}

// The multithreaded apartment is held open from the first run to the end of
// the process: workers join and leave it, but it is not torn down and built
// again (with the providers loaded in it) for every worker, which Wine does
// not survive for long.
void holdMultithreadedApartment() {
  static const bool held = [] {
    // Looked up at run time: not every import library of the toolchain
    // declares it, and systems before Windows 8 lack it.
    using Increment = HRESULT(WINAPI *)(CO_MTA_USAGE_COOKIE *);
    HMODULE ole32 = GetModuleHandleW(L"ole32.dll");
    auto increment = ole32 ? reinterpret_cast<Increment>(
                                 reinterpret_cast<void *>(GetProcAddress(ole32, "CoIncrementMTAUsage")))
                           : nullptr;
    CO_MTA_USAGE_COOKIE cookie = nullptr;
    return increment && SUCCEEDED(increment(&cookie));
  }();
  (void)held;
}

class ComWorkers final : public fleet::Workers {
public:
  std::function<void()> start(Job work) override {
    holdMultithreadedApartment();
    auto job = std::make_unique<Job>(std::move(work));
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&workerMain),
                            &self)) {
      throw AutomationError(static_cast<int32_t>(HRESULT_FROM_WIN32(GetLastError())), kSource,
                            "Run: the module could not be held");
    }
    objectCreated();
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, workerMain, job.get(), 0, &threadId);
    if (!thread) {
      DWORD error = GetLastError();
      objectDestroyed();
      FreeLibrary(self);
      throw AutomationError(static_cast<int32_t>(HRESULT_FROM_WIN32(error)), kSource,
                            "Run: no worker thread");
    }
    static_cast<void>(job.release()); // the thread owns the job now
    // Cancels only a call made through a proxy; an in-process call runs on.
    // The open handle keeps the thread's id from passing to another thread
    // while a cancel may still name it.
    std::shared_ptr<void> held(thread, CloseHandle);
    return [threadId, held] { CoCancelCall(threadId, 0); };
  }

  std::shared_ptr<fleet::Signal> makeSignal() override { return std::make_shared<EventSignal>(); }
};

} // namespace

fleet::Workers &comWorkers() {
  static ComWorkers workers;
  return workers;
}

} // namespace qv::com
