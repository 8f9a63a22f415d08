#include "services/status_request.hpp"

namespace qv {

std::optional<std::string_view> statusRequestMethod(int32_t status) {
  switch (status) {
  case 4: return "start";
  case 1: return "Stop";
  case 6: return "Pause";
  case 999: return "Stop";
  default: return std::nullopt;
  }
}

} // namespace qv
