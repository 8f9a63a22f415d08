#include "eventlog/event_queries.hpp"

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

} // namespace qv
