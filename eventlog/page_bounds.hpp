#pragma once
// Which record numbers one page of an event log covers. Pages count back from
// the newest entry and are cut by record number, so a page can be asked for
// without reading the entries before it.

#include <cstdint>
#include <optional>

namespace qv {

inline constexpr int32_t kDefaultPageSize = 25;
inline constexpr int32_t kDefaultPageNumber = 1;

// The page number as the caller sees it after the call: numbers below 1 mean
// the first page, and the result counts pages from 0.
int32_t pageIndex(int32_t pageNumber);

struct PageBounds {
  int32_t upper; // inclusive
  int32_t lower; // exclusive
};

// The bounds of page pageIndex (from 0) of size pageSize in a log whose
// newest record number is newest. The first page is not limited; later
// pages that run past the oldest record are cut to the newest number modulo
// the page size and to 0. All arithmetic is 32-bit: a page size of 0 fails
// with 11, an overflow with 6. No other side effect.
PageBounds pageBounds(int32_t newest, int32_t pageSize, int32_t pageIndex);

// The same bounds for a reader that walks pages until they run out: nullopt
// for a page that lies wholly past record 1, where pageBounds falls back to
// the remainder and would serve the oldest records again. A page size below
// 1 fails with 5; a page number however far past the end is no overflow.
std::optional<PageBounds> pageBoundsWithoutRepeat(int32_t newest, int32_t pageSize, int32_t pageIndex);

} // namespace qv
