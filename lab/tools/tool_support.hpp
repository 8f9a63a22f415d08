#pragma once
// What the lab's host tools share: their arguments, the lab's folder (from
// QV_LAB_HOME or the folder the lab's registration recorded), the fleet, the
// session journal, and output written with "\r\n" line ends.

#include <optional>
#include <string>
#include <vector>

#include "lab/model/fleet.hpp"
#include "lab/model/sessions.hpp"

namespace qv::lab::tool {

// The arguments after the program name, as UTF-8.
std::vector<std::string> arguments();
// The value of a "/name:value" option, matched without regard to case.
std::optional<std::string> option(const std::vector<std::string> &args, const char *name);

std::wstring labHome();
// Exits with a message when the fleet cannot be read.
Fleet loadFleetOrExit();
LocalNames localNames();

std::vector<SessionChange> readJournal();
void appendJournal(const SessionChange &change);

// Writes text to standard output exactly as given (no newline translation).
void print(const std::string &text);
void appendToFile(const std::wstring &path, const std::string &text);

} // namespace qv::lab::tool
