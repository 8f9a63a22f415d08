#pragma once
// The host's regional settings: every locale-dependent conversion goes
// through the automation runtime under the user's locale, so a result equals
// what a script's own CStr, CDbl, CDate, FormatNumber or FormatDateTime
// gives on the same host.

#include "core/regional.hpp"

namespace qv::win32 {

class Win32Regional : public Regional {
public:
  std::string doubleToText(double value) const override;
  std::string dateToText(Date value) const override;
  std::string formatDate(Date value, int format) const override;
  std::string formatNumber(double value, int decimals) const override;
  std::optional<double> textToNumber(std::string_view text) const override;
  std::optional<Date> textToDate(std::string_view text) const override;
  int compareText(std::string_view a, std::string_view b) const override;
};

} // namespace qv::win32
