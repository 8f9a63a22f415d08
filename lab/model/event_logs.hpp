#pragma once
// Entries of the logs made by rule, made on demand: a log of a million
// entries costs nothing until its entries are walked.

#include <string>
#include <string_view>

#include "lab/model/fleet.hpp"

namespace qv::lab {

// The Win32_NTLogEvent instance for record (firstRecord..newestRecord).
InstancePtr makeEvent(const Computer &computer, const EventLogRule &rule, int32_t record);

// An event type by its text in any letter case: its EventType number (1
// Error to 5 Security Audit Failure) and its Type text as the class
// documents it; 0 and the text unchanged for any other text.
struct EventKind {
  uint8_t number = 0;
  std::string text;
};
EventKind eventKind(std::string_view type);

} // namespace qv::lab
