#include "core/null_to_default.hpp"

#include "core/handlers.hpp"

namespace qv {

Variant nullToDefault(const Variant &value, const Variant &defaultValue) {
  return reportAndFail("Error checking for null values",
                       [&]() -> Variant { return value.isNull() ? defaultValue : value; });
}

} // namespace qv
