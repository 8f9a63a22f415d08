#pragma once
// What DllCanUnloadNow needs to know: how many objects of the module live
// and how many locks clients hold on its class objects. Each DLL links its
// own copy, so the counts are the module's own.

namespace qv::com {

void objectCreated() noexcept;
void objectDestroyed() noexcept;
void lockModule(bool lock) noexcept;
bool moduleInUse() noexcept;

} // namespace qv::com
