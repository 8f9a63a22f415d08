#pragma once
// The WQL texts of the event-log methods. Every log name is escaped here, so
// a name holding a quote or a backslash is matched literally and cannot
// change the query.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/variant.hpp"

#include "eventlog/page_bounds.hpp"

namespace qv {

inline constexpr const char *kEventLogFileClass = "Win32_NTEventLogFile";

// The event-log members connect with the Security privilege enabled: without
// it the service refuses every entry of the Security log. Only the
// privilege is added to the plain moniker; the computer is used as passed.
std::string eventLogMoniker(std::string_view computer);

// "select numberOfRecords from win32_NTEventlogFile where LogfileName='<log>'"
std::string eventCountQuery(std::string_view log);

// "Select * from Win32_NTLogEvent where LogFile='<log>'"
std::string wholeLogQuery(std::string_view log);

// The whole-log query + " and Recordnumber <=<upper> and Recordnumber ><lower>"
std::string pageQuery(std::string_view log, PageBounds bounds);

// "select * from win32_NTLogEvent where RecordNumber=<number>", and
// " and LogFile='<log>'" when a log is given. number is already text.
std::string eventQuery(std::string_view recordNumber, const std::optional<std::string> &log);

// The whole-log query + " and TimeGenerated >= '<since>'" when a lower bound
// is given + " and (EventType = 1 or EventType = 2 ...)" when types are.
std::string findEventsQuery(std::string_view log, const std::optional<Date> &sinceUniversal,
                            const std::vector<int32_t> &types);

// A universal time as the management service writes it:
// yyyymmddHHMMSS.000000+000, to the whole second.
std::string universalDateText(Date universal);

} // namespace qv
