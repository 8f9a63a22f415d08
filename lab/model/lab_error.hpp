#pragma once
// A failure of a simulated provider: the HRESULT the platform gives for the
// same failure and its description.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qv::lab {

namespace code {
inline constexpr uint32_t kFail = 0x80004005;
inline constexpr uint32_t kNotImplemented = 0x80004001;
inline constexpr uint32_t kPathNotFound = 0x80070003;
inline constexpr uint32_t kAccessDenied = 0x80070005;
inline constexpr uint32_t kDuplicateName = 0x80070034;
inline constexpr uint32_t kBadNetPath = 0x80070035;
inline constexpr uint32_t kInvalidArgument = 0x80070057;
inline constexpr uint32_t kAlreadyExists = 0x800700B7;
inline constexpr uint32_t kNoMoreItems = 0x80070103;
inline constexpr uint32_t kDependentServicesRunning = 0x8007041B;
inline constexpr uint32_t kInvalidServiceControl = 0x8007041C;
inline constexpr uint32_t kServiceAlreadyRunning = 0x80070420;
inline constexpr uint32_t kServiceDisabled = 0x80070422;
inline constexpr uint32_t kNoSuchService = 0x80070424;
inline constexpr uint32_t kCannotAcceptControl = 0x80070425;
inline constexpr uint32_t kServiceNotActive = 0x80070426;
inline constexpr uint32_t kDependencyFailed = 0x8007042C;
inline constexpr uint32_t kNoSuchDomain = 0x8007054B;
inline constexpr uint32_t kServerUnavailable = 0x800706BA;
inline constexpr uint32_t kBadPathname = 0x80005000;
inline constexpr uint32_t kUnknownObject = 0x80005004;
inline constexpr uint32_t kPropertyNotSupported = 0x80005006;
inline constexpr uint32_t kPropertyNotFound = 0x8000500D;
inline constexpr uint32_t kWbemNotFound = 0x80041002;
inline constexpr uint32_t kWbemAccessDenied = 0x80041003;
inline constexpr uint32_t kWbemInvalidParameter = 0x80041008;
inline constexpr uint32_t kWbemNotSupported = 0x8004100C;
inline constexpr uint32_t kWbemInvalidNamespace = 0x8004100E;
inline constexpr uint32_t kWbemInvalidClass = 0x80041010;
inline constexpr uint32_t kWbemInvalidQuery = 0x80041017;
inline constexpr uint32_t kWbemInvalidQueryType = 0x80041018;
} // namespace code

// The platform's own description of a code.
std::string describe(uint32_t code);

class LabError : public std::runtime_error {
public:
  explicit LabError(uint32_t code) : LabError(code, describe(code)) {}
  LabError(uint32_t code, const std::string &description) : std::runtime_error(description), code_(code) {}
  uint32_t code() const { return code_; }

private:
  uint32_t code_;
};

} // namespace qv::lab
