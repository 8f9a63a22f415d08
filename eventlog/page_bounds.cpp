#include "eventlog/page_bounds.hpp"

#include <limits>

#include "core/automation_error.hpp"

namespace qv {

namespace {

int32_t checked(int64_t value) {
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
    throwRuntimeError(kOverflow);
  }
  return static_cast<int32_t>(value);
}

// The remainder takes the sign of the dividend. -1 is spelled out because
// INT32_MIN % -1 is not defined in C++ (its value is 0).
int32_t remainder(int32_t dividend, int32_t divisor) {
  if (divisor == 0) throwRuntimeError(kDivisionByZero);
  if (divisor == -1) return 0;
  return dividend % divisor;
}

} // namespace

int32_t pageIndex(int32_t pageNumber) { return pageNumber < 1 ? 0 : pageNumber - 1; }

PageBounds pageBounds(int32_t newest, int32_t pageSize, int32_t pageIndex) {
  int32_t rest = remainder(newest, pageSize);
  int32_t skipped = checked(int64_t{pageSize} * pageIndex);
  if (pageIndex == 0) return {newest, checked(int64_t{newest} - pageSize)};

  int32_t upper = checked(int64_t{newest} - skipped);
  int32_t lower = checked(int64_t{upper} - pageSize);
  if (upper <= 0) upper = rest;
  if (lower < 0) lower = 0;
  return {upper, lower};
}

std::optional<PageBounds> pageBoundsWithoutRepeat(int32_t newest, int32_t pageSize, int32_t pageIndex) {
  if (pageSize < 1) throwRuntimeError(kInvalidCall);
  if (pageIndex > 0 && int64_t{newest} - int64_t{pageSize} * pageIndex <= 0) return std::nullopt;
  return pageBounds(newest, pageSize, pageIndex);
}

} // namespace qv
