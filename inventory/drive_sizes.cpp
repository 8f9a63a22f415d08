#include "inventory/drive_sizes.hpp"

#include <optional>

#include "core/automation_error.hpp"

namespace qv::inventory {
namespace {

// Reads back a figure the regional formatting made (group separators
// included).
double figure(const std::string &formatted, const Regional &regional) {
  std::optional<double> value = regional.textToNumber(formatted);
  if (!value) throw runtimeError(kTypeMismatch);
  return *value;
}

} // namespace

std::string sizeText(double bytes, const Regional &regional) {
  const std::string kb = regional.formatNumber(bytes / 1024, 2);
  const std::string mb = regional.formatNumber(figure(kb, regional) / 1024, 2);
  const std::string gb = regional.formatNumber(figure(mb, regional) / 1024, 2);
  const std::string tb = regional.formatNumber(figure(gb, regional) / 1024, 2);
  if (figure(tb, regional) >= 1) return tb + " Tb";
  if (figure(gb, regional) >= 1) return gb + " Gb";
  if (figure(mb, regional) >= 1) return mb + " Mb";
  if (figure(kb, regional) >= 100) return kb + " Kb";
  return regional.doubleToText(bytes) + "b";
}

Variant usedPercentText(double size, double freeSpace, const Regional &regional) {
  if (size == 0) throw runtimeError(kDivisionByZero);
  return Variant(regional.formatNumber((size - freeSpace) * 100 / size, 1));
}

} // namespace qv::inventory
