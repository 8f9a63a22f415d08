#pragma once
// The WinNT: path forms. Plain concatenation: the caller's texts are kept
// exactly (blanks included); the provider resolves them and reports a wrong
// name as its own failure.

#include <string>
#include <string_view>

namespace qv {

inline constexpr const char *kWinNtRoot = "WinNT:";

std::string workgroupPath(std::string_view workgroup);
std::string computerPath(std::string_view workgroup, std::string_view computer);
std::string servicePath(std::string_view workgroup, std::string_view computer, std::string_view service);
// "WinNT://" + wg, or with "/" + cn when cn is not blank (cn kept untrimmed).
std::string connectionTestPath(std::string_view workgroup, std::string_view computer);

// The target of a Services object: two texts stored unchanged.
struct Target {
  std::string workgroup;
  std::string computer;
};

} // namespace qv
