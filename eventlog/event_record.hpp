#pragma once
// The record of one "Win32_NTLogEvent" entry: eleven fields for a page of a
// listing, three more for the detail view.

#include "core/collection.hpp"
#include "core/management.hpp"
#include "core/regional.hpp"
#include "core/system.hpp"

namespace qv {

// Adds "User", "Type", "Category", "CategoryString", "EventCode",
// "EventIdentifier", "RecordNumber", "SourceName", "TimeGenerated",
// "TimeWritten" and "message", in this order. A blank "User" reads "N/A", a
// blank "CategoryString" "None" (Null stays Null); the two times become
// dates of this host's zone through wmiDateToDate; everything else is kept as delivered.
void addEventFields(Collection &record, ManagementObject &entry, System &system, const Regional &regional);

// Adds "ComputerName", "Data" and "InsertionStrings", as delivered.
void addEventDetailFields(Collection &record, ManagementObject &entry);

} // namespace qv
