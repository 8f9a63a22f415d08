#include "tools/util.hpp"

#include <utility>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/handlers.hpp"
#include "core/wmi_date_text.hpp"

namespace qv {

Util::Util(Platform platform) : platform_(std::move(platform)) {}

Variant Util::IIf(const Variant &expr, const Variant &truepart, const Variant &falsepart) {
  return noHandler([&] {
    const bool chosen = !expr.isNull() && toBool(expr, *platform_.regional);
    return chosen ? truepart : falsepart;
  });
}

Variant Util::formatDateTime(Date inDate, int32_t format) {
  return noHandler([&] {
    // Checked here so a script sees the runtime's own error whatever the
    // regional formatting underneath would report.
    if (format < kGeneralDate || format > kShortTime) throw runtimeError(kInvalidCall);
    return Variant(platform_.regional->formatDate(inDate, format));
  });
}

double Util::Val(const std::string &inString) {
  return noHandler([&] { return val(inString); });
}

Date Util::translateStringDate(std::string &inVar) {
  return reportAndFail(kTranslateDateMessage, [&] {
    inVar = trimmed(inVar);
    return wmiDateTextToUtc(inVar, StarredOffset::kNotANumber, *platform_.regional);
  });
}

} // namespace qv
