#include "eventlog/wql_quote.hpp"

namespace qv {

std::string wqlEscape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size() + 2);
  for (char c : text) {
    if (c == '\\' || c == '\'') escaped.push_back('\\');
    escaped.push_back(c);
  }
  return escaped;
}

} // namespace qv
