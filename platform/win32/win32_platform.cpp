#include "platform/win32/win32_platform.hpp"

#include "platform/win32/adsi_directory.hpp"
#include "platform/win32/win32_regional.hpp"
#include "platform/win32/win32_system.hpp"
#include "platform/win32/wmi_management.hpp"

namespace qv::win32 {

Platform makeWin32Platform() {
  return Platform{makeWmiManagement(), makeAdsiDirectory(), std::make_shared<Win32System>(),
                  std::make_shared<Win32Regional>()};
}

} // namespace qv::win32
