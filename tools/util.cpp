#include "tools/util.hpp"

#include <utility>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/handlers.hpp"
#include "core/wmi_date_text.hpp"

namespace qv {

Util::Util(Platform platform) : platform_(std::move(platform)) {}

Variant Util::iif(const Variant &condition, const Variant &whenTrue, const Variant &whenFalse) {
  return noHandler([&] {
    const bool chosen = !condition.isNull() && toBool(condition, *platform_.regional);
    return chosen ? whenTrue : whenFalse;
  });
}

Variant Util::formatDateTime(Date date, int32_t format) {
  return noHandler([&] {
    // Checked here so a script sees the runtime's own error whatever the
    // regional formatting underneath would report.
    if (format < kGeneralDate || format > kShortTime) throw runtimeError(kInvalidCall);
    return Variant(platform_.regional->formatDate(date, format));
  });
}

double Util::val(const std::string &text) {
  return noHandler([&] { return qv::val(text); });
}

Date Util::translateStringDate(std::string &text) {
  return reportAndFail(kTranslateDateMessage, [&] {
    text = trimmed(text);
    return wmiDateTextToUtc(text, StarredOffset::kNotANumber, *platform_.regional);
  });
}

} // namespace qv
