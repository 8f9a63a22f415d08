#pragma once
// The platform context a class receives when it is created and passes on to
// the objects it creates.

#include <memory>

#include "core/directory.hpp"
#include "core/management.hpp"
#include "core/regional.hpp"
#include "core/system.hpp"

namespace qv {

struct Platform {
  std::shared_ptr<Management> management;
  std::shared_ptr<Directory> directory;
  std::shared_ptr<System> system;
  std::shared_ptr<const Regional> regional;
};

} // namespace qv
