#pragma once
// Reads the fleet file. Every mistake in it (a missing key, a key nobody
// reads, a value of the wrong kind) is refused with the place it was found,
// so a typo cannot silently change what the lab serves.

#include <stdexcept>
#include <string_view>

#include "lab/model/fleet.hpp"

namespace qv::lab {

class FleetError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

Fleet loadFleet(std::string_view jsonText);

} // namespace qv::lab
