#include "eventlog/event_queries.hpp"

#include <cmath>
#include <cstdio>

#include "core/date_math.hpp"
#include "eventlog/wql_quote.hpp"

namespace qv {

std::string eventLogMoniker(std::string_view computer) {
  return "winmgmts:{impersonationLevel=impersonate,(Security)}!//" + std::string(computer);
}

std::string eventCountQuery(std::string_view log) {
  return "select numberOfRecords from win32_NTEventlogFile where LogfileName='" + wqlEscape(log) + "'";
}

std::string wholeLogQuery(std::string_view log) {
  return "Select * from Win32_NTLogEvent where LogFile='" + wqlEscape(log) + "'";
}

std::string pageQuery(std::string_view log, PageBounds bounds) {
  return wholeLogQuery(log) + " and Recordnumber <=" + std::to_string(bounds.upper) + " and Recordnumber >" +
         std::to_string(bounds.lower);
}

std::string eventQuery(std::string_view recordNumber, const std::optional<std::string> &log) {
  std::string query = "select * from win32_NTLogEvent where RecordNumber=" + std::string(recordNumber);
  if (log) query += " and LogFile='" + wqlEscape(*log) + "'";
  return query;
}

std::string findEventsQuery(std::string_view log, const std::optional<Date> &sinceUniversal,
                            const std::vector<int32_t> &types) {
  std::string query = wholeLogQuery(log);
  if (sinceUniversal) query += " and TimeGenerated >= '" + universalDateText(*sinceUniversal) + "'";
  for (std::size_t i = 0; i < types.size(); ++i)
    query += (i == 0 ? " and (EventType = " : " or EventType = ") + std::to_string(types[i]);
  if (!types.empty()) query += ")";
  return query;
}

std::string universalDateText(Date universal) {
  const double linear = dates::linearFromSerial(universal.serial);
  auto days = static_cast<int64_t>(std::floor(linear));
  auto seconds = static_cast<int64_t>(std::llround((linear - static_cast<double>(days)) * 86400.0));
  if (seconds == 86400) {
    ++days;
    seconds = 0;
  }
  const dates::Civil civil = dates::civilFromDays(days);
  char text[96];
  std::snprintf(text, sizeof text, "%04lld%02d%02d%02lld%02lld%02lld.000000+000",
                static_cast<long long>(civil.year), civil.month, civil.day,
                static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                static_cast<long long>(seconds % 60));
  return text;
}

} // namespace qv
