#pragma once
// Regional settings that do not come from the host: a fixed set of
// separators, patterns and names. The native build and the tests use them;
// two ready styles are at hand.

#include <memory>

#include "core/regional.hpp"
#include "core/regional_settings.hpp"

namespace qv {

class PortableRegional : public Regional {
public:
  explicit PortableRegional(RegionalSettings settings);

  // "." decimal, "," group; M/d/yyyy, "dddd, MMMM d, yyyy", h:mm:ss tt, HH:mm.
  static RegionalSettings englishSettings();
  // "," decimal, "." group; dd.MM.yyyy, "dddd, d. MMMM yyyy", HH:mm:ss, HH:mm;
  // German names.
  static RegionalSettings europeanSettings();
  static std::shared_ptr<const PortableRegional> english();
  static std::shared_ptr<const PortableRegional> european();

  const RegionalSettings &settings() const { return settings_; }

  // Up to 15 significant digits, exponent form below 1E-04 and from 1E+15 on.
  std::string doubleToText(double value) const override;
  // The date alone at midnight, the time alone on 1899-12-30, else both.
  std::string dateToText(Date value) const override;
  // 0 as dateToText, 1 long date, 2 short date, 3 long time, 4 short time.
  std::string formatDate(Date value, int format) const override;
  // Rounded half away from zero; decimals -1 means the style's default of 2.
  std::string formatNumber(double value, int decimals) const override;
  // Blanks around, sign, group separators, the decimal separator, exponent,
  // &H and &O.
  std::optional<double> textToNumber(std::string_view text) const override;
  std::optional<Date> textToDate(std::string_view text) const override;
  // Letter case ignored (ASCII, Latin-1, Greek, Cyrillic), then code point
  // order: a total order, so equal texts are exactly those equal but for
  // letter case.
  int compareText(std::string_view a, std::string_view b) const override;

private:
  RegionalSettings settings_;
};

} // namespace qv
