#pragma once
// Text that goes between single quotes in a WQL query.

#include <string>
#include <string_view>

namespace qv {

// text with every backslash and single quote escaped by a backslash, so the
// service reads it back literally between single quotes.
std::string wqlEscape(std::string_view text);

} // namespace qv
