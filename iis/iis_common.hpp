#pragma once
// Routines the site readers share: finding a site's metabase object by a
// name, splitting a binding text, and building the binding and ISAPI filter
// collections.

#include <array>
#include <string>
#include <string_view>

#include "core/collection.hpp"
#include "core/directory.hpp"
#include "core/platform.hpp"

namespace qv {

// The web site (class IIsWebServer) of computer that siteName names: its
// site number first, then, site by site in enumeration order, its
// description or the host or address of its first binding. Exact
// comparisons; the first match wins. Never fails: null when nothing matches
// or the metabase cannot be reached.
DirectoryObjectPtr findSite(const Platform &platform, std::string_view computer, std::string_view siteName);

// "address:port:host" as {address, port, host}. The host is everything after
// the second ":". Fewer than two ":" fails with 5.
std::array<std::string, 3> splitBinding(std::string_view binding);

// The binding list of a site: server bindings keyed "0", "1", ... with the
// port as a 32-bit number, then secure bindings numbered on with the port as
// text. Both arguments must be lists (possibly empty).
// Reports "Error with Olvesk.IisMonitor.getServerBindings".
CollectionPtr getServerBindings(const Variant &serverBindings, const Variant &secureBindings,
                                const Regional &regional);

// The ISAPI filters of the site that siteName names (see findSite), keyed
// "0", "1", ...: "Filter", "Description", "Path", "State". A site without a
// filters node gives an empty collection; a filter property that cannot be
// read leaves its key out. Reports "error retreiving server ISAPI filters".
CollectionPtr getISAPIFilters(const Platform &platform, std::string_view computer, std::string_view siteName);

} // namespace qv
