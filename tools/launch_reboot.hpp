#pragma once
// The reboot command the administration host runs against a computer.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/system.hpp"

namespace qv {

// A name the reboot command line can take as its target: not empty, not
// starting with "-", and made only of ASCII letters, digits, "-", ".", "_"
// and ":" (IPv6). Anything else could add options to the command.
bool isRebootTargetName(std::string_view name);

// The code scripts see for a launch: the shell's own code where the
// platform gave one, failures (32 and below) as they are; a started
// program's code cut to 32 bits, or 42 where the cut would make it read as a
// failure. Without a platform code: 42 started, 2 not found, 3 a path part
// is not a folder, 5 refused, 8 out of resources, 11 not a program, 31 any
// other reason.
int32_t rebootCode(const Launch &launch);

// Starts "shutdown.exe -f -r -t 1 -m \\<computer>" hidden, without waiting,
// and returns rebootCode of the launch. A computer name
// that isRebootTargetName refuses fails with 5 "rebootComputer: invalid
// computer name" and starts nothing.
int32_t launchReboot(System &system, const std::string &computer);

} // namespace qv
