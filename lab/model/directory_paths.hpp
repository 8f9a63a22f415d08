#pragma once
// Binding of the directory display names the lab serves:
//   WinNT:  WinNT://wg  WinNT://wg/computer  WinNT://wg/computer/object[,Class]
//   (also WinNT://computer and WinNT://computer/object)
//   IIS://computer[/W3SVC[/site[/Root[/dir...]]]]
// Names compare without regard to case. Failures carry the codes the
// providers give: a workgroup that does not exist, a computer that cannot be
// reached, a service that is not installed, a metabase path not found.

#include <string_view>

#include "lab/model/fleet.hpp"

namespace qv::lab {

DirNodePtr bindWinNT(const Fleet &fleet, std::string_view path, const LocalNames &local);
DirNodePtr bindIIS(const Fleet &fleet, std::string_view path, const LocalNames &local);

// The container's GetObject(class, name): the error is the provider's for
// a missing object of that class.
DirNodePtr childOf(const DirNode &container, std::string_view className, std::string_view name);

} // namespace qv::lab
