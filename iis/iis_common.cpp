#include "iis/iis_common.hpp"

#include <vector>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/handlers.hpp"
#include "iis/directory_values.hpp"
#include "iis/iis_paths.hpp"

namespace qv {

namespace {

// The runtime's Split: every ":" separates, empty parts kept.
std::vector<std::string> splitAtColons(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t colon = text.find(':', start);
    if (colon == std::string_view::npos) break;
    parts.emplace_back(text.substr(start, colon - start));
    start = colon + 1;
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

const std::string &part(const std::vector<std::string> &parts, std::size_t index) {
  if (index >= parts.size()) throwRuntimeError(kSubscriptOutOfRange);
  return parts[index];
}

// The host part of a binding. Secure bindings are documented as "IP:Port",
// with no host part at all: that reads as no host name.
std::string hostPart(const std::vector<std::string> &parts) { return parts.size() > 2 ? parts[2] : ""; }

// A list read as the runtime reads it: UBound of anything but an array is a
// type mismatch, and an index below the lower bound is out of range.
const VariantArray &asList(const Variant &value) {
  if (!value.isArray()) throwRuntimeError(kTypeMismatch);
  return value.array();
}

int64_t upperBound(const VariantArray &list) {
  return static_cast<int64_t>(list.lowerBound) + static_cast<int64_t>(list.items.size()) - 1;
}

const Variant &element(const VariantArray &list, int64_t index) {
  int64_t offset = index - list.lowerBound;
  if (offset < 0 || offset >= static_cast<int64_t>(list.items.size()))
    throwRuntimeError(kSubscriptOutOfRange);
  return list.items[static_cast<std::size_t>(offset)];
}

// The first binding of a site as the lookup compares it; nullopt when the
// site has none or it does not split.
std::optional<std::array<std::string, 3>> firstBinding(DirectoryObject &site, const Regional &regional) {
  std::optional<std::array<std::string, 3>> binding;
  tolerate([&] {
    Variant bindings = site.get("ServerBindings");
    std::string text;
    if (bindings.isArray()) {
      const VariantArray &list = bindings.array();
      if (list.items.empty()) return;
      text = toText(list.items.front(), regional);
    } else {
      text = toText(bindings, regional);
    }
    if (!text.empty()) binding = splitBinding(text);
  });
  return binding;
}

bool isWebServer(DirectoryObject &object, const Regional &regional) {
  bool yes = false;
  tolerate([&] { yes = hasClass(object, kWebServerClass, regional); });
  return yes;
}

bool describedAs(DirectoryObject &site, std::string_view siteName, const Regional &regional) {
  bool yes = false;
  tolerate([&] { yes = readText(site, "ServerComment", regional) == siteName; });
  return yes;
}

} // namespace

DirectoryObjectPtr findSite(const Platform &platform, std::string_view computer, std::string_view siteName) {
  const Regional &regional = *platform.regional;
  DirectoryObjectPtr service;
  if (tolerate([&] { service = platform.directory->bind(webServicePath(computer)); })) return nullptr;

  // A site number given as text is the site's own key.
  DirectoryObjectPtr byKey;
  tolerate([&] { byKey = service->child(kWebServerClass, siteName); });
  if (byKey && isWebServer(*byKey, regional)) return byKey;

  std::vector<DirectoryObjectPtr> sites;
  if (tolerate([&] { sites = service->children({}); })) return nullptr;
  for (const auto &site : sites) {
    if (!site || !isWebServer(*site, regional)) continue;
    if (describedAs(*site, siteName, regional)) return site;
    auto binding = firstBinding(*site, regional);
    if (binding && ((*binding)[2] == siteName || (*binding)[0] == siteName)) return site;
  }
  return nullptr;
}

std::array<std::string, 3> splitBinding(std::string_view binding) {
  return noHandler([&] {
    std::size_t p1 = binding.find(':');
    if (p1 == std::string_view::npos) throwRuntimeError(kInvalidCall);
    std::size_t p2 = binding.find(':', p1 + 1);
    if (p2 == std::string_view::npos) throwRuntimeError(kInvalidCall);
    return std::array<std::string, 3>{std::string(binding.substr(0, p1)),
                                      std::string(binding.substr(p1 + 1, p2 - p1 - 1)),
                                      std::string(binding.substr(p2 + 1))};
  });
}

CollectionPtr getServerBindings(const Variant &serverBindings, const Variant &secureBindings,
                                const Regional &regional) {
  return reportAndFail("Error with Olvesk.IisMonitor.getServerBindings", [&] {
    auto list = std::make_shared<Collection>();
    const VariantArray &server = asList(serverBindings);
    int64_t serverTop = upperBound(server);
    for (int64_t i = 0; i <= serverTop; ++i) {
      auto parts = splitAtColons(toText(element(server, i), regional));
      auto record = newRecord();
      record->add(Variant(part(parts, 0)), "ip");
      record->add(Variant(toInt32(Variant(part(parts, 1)), regional)), "port");
      record->add(Variant(hostPart(parts)), "host");
      list->add(Variant(record), std::to_string(i));
    }
    // Secure bindings go on from where the server bindings stopped. A site
    // without them may hold Empty or Null rather than an empty list.
    int64_t n = serverTop + 1;
    if (secureBindings.isEmpty() || secureBindings.isNull()) return list;
    const VariantArray &secure = asList(secureBindings);
    int64_t secureTop = upperBound(secure);
    for (int64_t i = 0; i <= secureTop; ++i) {
      auto parts = splitAtColons(toText(element(secure, i), regional));
      auto record = newRecord();
      record->add(Variant(part(parts, 0)), "ip");
      record->add(Variant(part(parts, 1)), "port");
      record->add(Variant(hostPart(parts)), "host");
      list->add(Variant(record), std::to_string(n));
      ++n;
    }
    return list;
  });
}

CollectionPtr getISAPIFilters(const Platform &platform, std::string_view computer,
                              std::string_view siteName) {
  return reportAndFail("error retreiving server ISAPI filters", [&] {
    const Regional &regional = *platform.regional;
    auto filters = std::make_shared<Collection>();
    DirectoryObjectPtr site = findSite(platform, computer, siteName);

    // No site or no filters node: the site simply has no filters.
    DirectoryObjectPtr node;
    if (!site || tolerate([&] { node = site->child("IIsFilters", "Filters"); })) return filters;

    std::vector<DirectoryObjectPtr> children;
    tolerate([&] { children = node->children({}); });
    int32_t i = 0;
    for (const auto &child : children) {
      auto record = newRecord();
      std::string name;
      DirectoryObjectPtr filter;
      if (!tolerate([&] { name = readText(*child, "Name", regional); })) {
        record->add(Variant(name), "Filter");
        tolerate([&] { filter = node->child("IIsFilter", name); });
      }
      // A filter that cannot be opened has none of the three below: its
      // record must not take them from another filter.
      if (filter) {
        tolerate(
            [&] { record->add(Variant(readText(*filter, "FilterDescription", regional)), "Description"); });
        tolerate([&] { record->add(Variant(readText(*filter, "FilterPath", regional)), "Path"); });
        tolerate([&] { record->add(Variant(readInt32(*filter, "FilterState", regional)), "State"); });
      }
      filters->add(Variant(record), std::to_string(i));
      ++i;
    }
    return filters;
  });
}

} // namespace qv
