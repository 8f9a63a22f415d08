#include "lab/model/lab_error.hpp"

#include <cstdio>

namespace qv::lab {

std::string describe(uint32_t c) {
  switch (c) {
  case code::kFail: return "Unspecified error";
  case code::kNotImplemented: return "Not implemented";
  case code::kPathNotFound: return "The system cannot find the path specified.";
  case code::kAccessDenied: return "Access is denied.";
  case code::kDuplicateName:
    return "You were not connected because a duplicate name exists on the network. If joining a domain, go "
           "to "
           "System in Control Panel to change the computer name and try again. If joining a workgroup, "
           "choose "
           "another workgroup name.";
  case code::kBadNetPath: return "The network path was not found.";
  case code::kInvalidArgument: return "The parameter is incorrect.";
  case code::kAlreadyExists: return "Cannot create a file when that file already exists.";
  case code::kNoMoreItems: return "No more data is available.";
  case code::kDependentServicesRunning:
    return "A stop control has been sent to a service that other running services are dependent on.";
  case code::kInvalidServiceControl: return "The requested control is not valid for this service.";
  case code::kServiceAlreadyRunning: return "An instance of the service is already running.";
  case code::kServiceDisabled:
    return "The service cannot be started, either because it is disabled or because it has no enabled "
           "devices "
           "associated with it.";
  case code::kNoSuchService: return "The specified service does not exist as an installed service.";
  case code::kCannotAcceptControl: return "The service cannot accept control messages at this time.";
  case code::kServiceNotActive: return "The service has not been started.";
  case code::kDependencyFailed: return "The dependency service or group failed to start.";
  case code::kNoSuchDomain: return "The specified domain either does not exist or could not be contacted.";
  case code::kServerUnavailable: return "The RPC server is unavailable.";
  case code::kBadPathname: return "An invalid directory pathname was passed";
  case code::kUnknownObject: return "The directory object does not exist.";
  case code::kPropertyNotSupported: return "The specified directory property is not supported.";
  case code::kPropertyNotFound: return "The directory property cannot be found in the cache.";
  case code::kWbemNotFound: return "Not found";
  case code::kWbemAccessDenied: return "Access denied";
  case code::kWbemInvalidParameter: return "Invalid parameter";
  case code::kWbemNotSupported: return "Not supported";
  case code::kWbemInvalidNamespace: return "Invalid namespace";
  case code::kWbemInvalidClass: return "Invalid class";
  case code::kWbemInvalidQuery: return "Invalid query";
  case code::kWbemInvalidQueryType: return "Invalid query language";
  default: {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "Error 0x%08X", static_cast<unsigned>(c));
    return buffer;
  }
  }
}

} // namespace qv::lab
