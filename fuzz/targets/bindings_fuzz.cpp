// The binding texts of a web site: splitBinding on any text, and the binding
// list reader (getServerBindings) on any two values, lists with any lower
// bound and items of any kind. A split puts the text back together exactly;
// the list either has one record per entry, keyed on from 0 (an entry
// without a host part has the host ""), with the port a number for server
// bindings and text for secure ones (Empty or Null secure bindings are
// none), or fails under its own message.
//
// Input: a flags byte (bit 0: the server bindings are a list, bit 1: the
// secure ones are; bits 2 and 3 stretch their lower bounds), the two lower
// bounds as signed bytes, then the entries one per line, server first; a line
// "|" starts the secure ones. "#N", "#E", "#B", "#I<n>", "#D<x>", "#A" make a
// Null, Empty, Boolean, 32-bit number, double or list entry.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/automation_error.hpp"
#include "core/collection.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "fuzz/fuzz_support.hpp"
#include "iis/iis_common.hpp"

namespace {

using namespace qv;

constexpr const char *kBindingsMessage = "Error with Olvesk.IisMonitor.getServerBindings";

Variant entry(const std::string &line) {
  if (line.size() < 2 || line[0] != '#') return Variant(line);
  const std::string rest = line.substr(2);
  switch (line[1]) {
  case 'N': return Variant::null();
  case 'E': return Variant();
  case 'B': return Variant(rest.empty());
  case 'I': return Variant(static_cast<int32_t>(std::strtol(rest.c_str(), nullptr, 10)));
  case 'D': return Variant(std::strtod(rest.c_str(), nullptr));
  case 'A': return Variant(VariantArray{});
  default: return Variant(line);
  }
}

struct Lists {
  std::vector<Variant> server, secure;
};

Lists readLists(std::string_view text) {
  Lists lists;
  bool secure = false;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line == "|" && !secure) {
      secure = true;
      continue;
    }
    (secure ? lists.secure : lists.server).push_back(entry(line));
  }
  return lists;
}

Variant listValue(bool asList, int32_t lowerBound, std::vector<Variant> items) {
  if (!asList) return items.empty() ? Variant() : items.front();
  return Variant(VariantArray{lowerBound, std::move(items)});
}

void checkSplit(std::string_view text) {
  const std::string context = "splitBinding " + fuzz::show(text);
  std::array<std::string, 3> parts;
  auto error = fuzz::failureOf([&] { parts = splitBinding(text); });
  const auto colons = std::count(text.begin(), text.end(), ':');
  if (colons < 2) {
    fuzz::require(error.has_value(), context + ": split without two colons");
    fuzz::requireRuntimeError(*error, {kInvalidCall}, context);
    return;
  }
  fuzz::require(!error, context + ": failed");
  fuzz::require(parts[0].find(':') == std::string::npos && parts[1].find(':') == std::string::npos,
                context + ": address or port holds a colon");
  fuzz::require(parts[0] + ":" + parts[1] + ":" + parts[2] == text, context + ": parts do not rejoin");
}

// What the reader does with the entry: nullopt when it must fail, else the
// three parts and the port text of the binding.
std::optional<std::vector<std::string>> pieces(const Variant &item) {
  if (!item.isText()) return std::nullopt;
  std::vector<std::string> parts;
  std::string_view rest = item.text();
  for (;;) {
    std::size_t colon = rest.find(':');
    parts.emplace_back(rest.substr(0, colon));
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
  // "IP:Port" is the documented form of a secure binding: no host part
  // reads as an empty host; no port fails.
  if (parts.size() < 2) return std::nullopt;
  parts.resize(3);
  return parts;
}

int64_t upperBound(int32_t lowerBound, std::size_t size) {
  return int64_t{lowerBound} + static_cast<int64_t>(size) - 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  fuzz::Input input(data, size);
  const uint8_t flags = input.byte();
  int32_t serverLow = input.number<int8_t>();
  int32_t secureLow = input.number<int8_t>();
  if (flags & 4) serverLow *= 1 << 24;
  if (flags & 8) secureLow *= 1 << 24;
  const std::string_view text = input.rest();
  const std::string context = "bindings " + fuzz::show(text);

  Lists lists = readLists(text);
  for (const auto &list : {lists.server, lists.secure})
    for (const Variant &item : list)
      if (item.isText()) checkSplit(item.text());

  const bool serverIsList = (flags & 1) != 0, secureIsList = (flags & 2) != 0;
  const Variant server = listValue(serverIsList, serverLow, lists.server);
  const Variant secure = listValue(secureIsList, secureLow, lists.secure);
  const auto &regional = *PortableRegional::english();

  CollectionPtr bindings;
  auto error = fuzz::failureOf([&] { bindings = getServerBindings(server, secure, regional); });
  if (error) {
    fuzz::requireReportedAs(*error, kBindingsMessage,
                            {kInvalidCall, kOverflow, kSubscriptOutOfRange, kTypeMismatch, kInvalidUseOfNull},
                            context);
  }

  // Lists of texts only: the outcome can be told in advance. Secure bindings
  // that are Empty or Null are none at all.
  const bool noSecure = secure.isEmpty() || secure.isNull();
  if (!server.isArray() || (!secure.isArray() && !noSecure)) {
    fuzz::require(error.has_value(), context + ": read a value that is no list");
    return 0;
  }
  if (!serverIsList || (!secureIsList && !noSecure)) return 0; // a "#A" entry in place of a list
  const int64_t serverTop = upperBound(serverLow, lists.server.size());
  const int64_t secureTop = upperBound(secureLow, lists.secure.size());
  struct Wanted {
    std::string key;
    std::vector<std::string> parts;
    bool numericPort;
  };
  std::vector<Wanted> wanted;
  bool mustFail = false;
  bool unsure = false; // an entry that is no text: conversions decide
  auto expect = [&](const std::vector<Variant> &items, int32_t low, int64_t top, int64_t firstKey,
                    bool numeric) {
    for (int64_t i = 0; i <= top && !mustFail; ++i) {
      if (i < low) {
        mustFail = true; // below the lower bound: subscript out of range
        break;
      }
      const Variant &item = items[static_cast<std::size_t>(i - low)];
      if (!item.isText()) {
        unsure = true;
        return;
      }
      auto parts = pieces(item);
      if (!parts) {
        mustFail = true;
        break;
      }
      if (numeric) {
        auto port = regional.textToNumber((*parts)[1]);
        double rounded = port ? std::nearbyint(*port) : 0;
        if (!port || rounded < -2147483648.0 || rounded > 2147483647.0) {
          mustFail = true;
          break;
        }
      }
      wanted.push_back({std::to_string(firstKey + i), *parts, numeric});
    }
  };
  expect(lists.server, serverLow, serverTop, 0, true);
  if (!mustFail && !unsure && !noSecure) expect(lists.secure, secureLow, secureTop, serverTop + 1, false);
  if (unsure) return 0;

  if (mustFail) {
    fuzz::require(error.has_value(), context + ": read, but an entry cannot be");
    return 0;
  }
  fuzz::require(!error, context + ": failed on good entries");
  fuzz::require(bindings->size() == wanted.size(), context + ": " + std::to_string(bindings->size()) +
                                                       " records for " + std::to_string(wanted.size()));
  for (std::size_t k = 0; k < wanted.size(); ++k) {
    const Wanted &w = wanted[k];
    fuzz::require(bindings->keyAt(k + 1) == w.key, context + ": key of record " + std::to_string(k + 1));
    auto record = bindings->at(k + 1).as<Collection>();
    fuzz::require(record && record->size() == 3, context + ": record " + w.key);
    fuzz::require(record->keyAt(1) == "ip" && record->keyAt(2) == "port" && record->keyAt(3) == "host",
                  context + ": record keys of " + w.key);
    fuzz::require(record->at(1) == Variant(w.parts[0]) && record->at(3) == Variant(w.parts[2]),
                  context + ": address or host of " + w.key);
    const Variant &port = record->at(2);
    if (w.numericPort) {
      fuzz::require(port.kind() == VarKind::Int32 && port.int32() == static_cast<int32_t>(std::nearbyint(
                                                                         *regional.textToNumber(w.parts[1]))),
                    context + ": port of " + w.key);
    } else {
      fuzz::require(port == Variant(w.parts[1]), context + ": port text of " + w.key);
    }
  }
  return 0;
}
