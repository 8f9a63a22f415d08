// Which fold foldText applies: the portable one of the caseless order until
// the platform names its own.

#include <atomic>

#include "core/code_points.hpp"
#include "core/key_fold.hpp"

namespace qv {

namespace {

std::atomic<TextFold> installed{&foldCodePoints};

} // namespace

std::string foldText(std::string_view text) { return installed.load(std::memory_order_relaxed)(text); }

void useTextFold(TextFold fold) { installed.store(fold, std::memory_order_relaxed); }

} // namespace qv
