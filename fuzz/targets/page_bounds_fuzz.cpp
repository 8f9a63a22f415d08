// The page bounds of the event listing for any newest record number, page
// size and page number: either the bounds a 64-bit computation of the same
// steps gives, or the runtime error that a 32-bit step would raise.

#include <cstdint>
#include <limits>
#include <string>

#include "eventlog/page_bounds.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

using namespace qv;

struct Expected {
  int32_t error = 0; // 0 when the bounds below hold
  int64_t upper = 0;
  int64_t lower = 0;
};

bool fits(int64_t value) {
  return value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max();
}

// The listing's steps in wide arithmetic, each 32-bit result checked the way
// the runtime checks it.
Expected reference(int64_t newest, int64_t size, int64_t pageNumber) {
  int64_t page = pageNumber < 1 ? 1 : pageNumber;
  if (size == 0) return {kDivisionByZero};
  int64_t rest = newest % size; // the dividend's sign, as in the runtime
  int64_t index = page - 1;
  int64_t skipped = size * index;
  if (!fits(skipped)) return {kOverflow};
  if (index == 0) {
    if (!fits(newest - size)) return {kOverflow};
    return {0, newest, newest - size};
  }
  int64_t upper = newest - skipped;
  if (!fits(upper)) return {kOverflow};
  int64_t lower = upper - size;
  if (!fits(lower)) return {kOverflow};
  if (upper <= 0) upper = rest;
  if (lower < 0) lower = 0;
  return {0, upper, lower};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  fuzz::Input input(data, size);
  const auto newest = input.number<int32_t>();
  const auto pageSize = input.number<int32_t>();
  const auto pageNumber = input.number<int32_t>();
  const std::string context =
      "N=" + std::to_string(newest) + " s=" + std::to_string(pageSize) + " p=" + std::to_string(pageNumber);

  const int32_t index = pageIndex(pageNumber);
  fuzz::require(index >= 0 && index == (pageNumber < 1 ? 0 : pageNumber - 1), context + ": page index");

  const Expected want = reference(newest, pageSize, pageNumber);
  PageBounds got{};
  auto failure = fuzz::failureOf([&] { got = pageBounds(newest, pageSize, index); });
  if (failure) {
    fuzz::requireRuntimeError(*failure, {kDivisionByZero, kOverflow}, context);
    fuzz::require(failure->number() == want.error, context + ": failed with " +
                                                       std::to_string(failure->number()) + ", expected " +
                                                       std::to_string(want.error));
    fuzz::require(failure->description() == runtimeErrorText(failure->number()), context + ": description");
    return 0;
  }
  fuzz::require(want.error == 0, context + ": gave bounds, expected error " + std::to_string(want.error));
  fuzz::require(got.upper == want.upper && got.lower == want.lower,
                context + ": bounds " + std::to_string(got.upper) + "/" + std::to_string(got.lower) +
                    ", expected " + std::to_string(want.upper) + "/" + std::to_string(want.lower));
  // A later page never reaches below record 0, and never holds more
  // records than a page.
  if (index > 0) {
    fuzz::require(got.lower >= 0, context + ": lower bound below 0");
    if (pageSize > 0)
      fuzz::require(int64_t{got.upper} - got.lower <= pageSize, context + ": more than a page");
  }
  return 0;
}
