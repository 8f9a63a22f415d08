#include "platform/posix/posix_system.hpp"
#include "platform/posix/spawn_file_actions.hpp"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <syslog.h>
#include <unistd.h>

#include "core/automation_error.hpp"
#include "core/date_math.hpp"
#include "platform/command_capture.hpp"
#include "platform/command_interpreter.hpp"
#include "platform/folder_size.hpp"

extern char **environ;

namespace qv::posix {

namespace {

// 1970-01-01 as an automation date.
constexpr double kUnixEpochSerial = 25569.0;

LaunchResult launchFailure(int error) {
  switch (error) {
  case ENOENT: return LaunchResult::programNotFound;
  case ENOTDIR: return LaunchResult::folderNotFound;
  case EACCES:
  case EPERM: return LaunchResult::accessDenied;
  case ENOMEM:
  case EAGAIN: return LaunchResult::outOfResources;
  case ENOEXEC: return LaunchResult::notAProgram;
  default: return LaunchResult::failed;
  }
}

std::vector<std::string> splitAtBlanks(const std::string &program, std::string_view parameters) {
  std::vector<std::string> words{program};
  std::size_t pos = 0;
  while (pos < parameters.size()) {
    std::size_t start = parameters.find_first_not_of(' ', pos);
    if (start == std::string_view::npos) break;
    std::size_t end = parameters.find(' ', start);
    if (end == std::string_view::npos) end = parameters.size();
    words.emplace_back(parameters.substr(start, end - start));
    pos = end;
  }
  return words;
}

constexpr int64_t kUnixEpochSeconds = 25569 * int64_t{86400};

Date dateOfSeconds(int64_t seconds) {
  auto serial = dates::serialFromSeconds(seconds);
  if (!serial) throwRuntimeError(kOverflow);
  return Date{*serial};
}

Date serialOf(time_t seconds) { return Date{kUnixEpochSerial + static_cast<double>(seconds) / 86400.0}; }

} // namespace

std::optional<std::string> PosixSystem::computerName() {
  char name[HOST_NAME_MAX + 2] = {};
  if (gethostname(name, sizeof name - 1) != 0) return std::nullopt;
  return std::string(name);
}

std::optional<std::string> PosixSystem::workgroupName() { return std::nullopt; }

Launch PosixSystem::launch(const std::string &program, const std::string &parameters) {
  // Everything the children need is built before fork: after it, the
  // intermediate child only calls setsid, posix_spawnp and _exit.
  std::vector<std::string> words = splitAtBlanks(program, parameters);
  std::vector<char *> argv;
  argv.reserve(words.size() + 1);
  for (std::string &word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  SpawnFileActions actions;
  int error = actions.initError();
  for (auto [fd, flags] :
       {std::pair{STDIN_FILENO, O_RDONLY}, {STDOUT_FILENO, O_WRONLY}, {STDERR_FILENO, O_WRONLY}}) {
    if (error == 0) error = posix_spawn_file_actions_addopen(actions.get(), fd, "/dev/null", flags, 0);
  }
  if (error != 0) return launchFailure(error);

  // The program is started by a short-lived intermediate child, so it is
  // adopted by init and never waits to be reaped by this process.
  pid_t intermediate = fork();
  if (intermediate < 0) return launchFailure(errno);
  if (intermediate == 0) {
    setsid();
    pid_t child = 0;
    int error = posix_spawnp(&child, argv[0], actions.get(), nullptr, argv.data(), environ);
    // The exit status carries the launch result; 0 is "started".
    _exit(static_cast<int>(error == 0 ? LaunchResult::started : launchFailure(error)));
  }
  int status = 0;
  while (waitpid(intermediate, &status, 0) < 0) {
    if (errno != EINTR) return launchFailure(errno);
  }
  int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (code < 0 || code > static_cast<int>(LaunchResult::failed)) return LaunchResult::failed;
  return static_cast<LaunchResult>(code);
}

std::string PosixSystem::commandInterpreter() {
  return platform::commandInterpreter(false, "", [](const std::string &) { return false; });
}

std::string PosixSystem::captureCommandOutput(const std::string &commandLine) {
  return platform::captureCommandOutput(commandLine,
                                        [this](const std::string &text) { operatorNotice(text); });
}

uint64_t PosixSystem::folderSize(const std::string &path) { return platform::folderSize(path); }

bool PosixSystem::fileExists(const std::string &path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> PosixSystem::environment(const std::string &name) {
  const char *value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

void PosixSystem::operatorNotice(const std::string &text) {
  openlog("Quorvane", LOG_PID, LOG_USER);
  syslog(LOG_USER | LOG_WARNING, "%s", text.c_str());
  closelog();
}

Date PosixSystem::nowLocal() {
  time_t now = time(nullptr);
  struct tm local {};
  if (localtime_r(&now, &local) == nullptr) return serialOf(now);
  return serialOf(now + local.tm_gmtoff);
}

Date PosixSystem::nowUtc() { return serialOf(time(nullptr)); }

Date PosixSystem::universalToLocal(Date universal) {
  const int64_t seconds = dates::secondsFromSerial(universal.serial);
  const auto moment = static_cast<time_t>(seconds - kUnixEpochSeconds);
  struct tm local {};
  if (localtime_r(&moment, &local) == nullptr) throwRuntimeError(kOverflow);
  return dateOfSeconds(seconds + local.tm_gmtoff);
}

Date PosixSystem::localToUniversal(Date local) {
  const int64_t seconds = dates::secondsFromSerial(local.serial);
  const dates::Civil day = dates::civilFromDays(dates::floorDiv(seconds, 86400));
  const int64_t time = dates::floorMod(seconds, 86400);
  struct tm fields {};
  fields.tm_year = static_cast<int>(day.year - 1900);
  fields.tm_mon = day.month - 1;
  fields.tm_mday = day.day;
  fields.tm_hour = static_cast<int>(time / 3600);
  fields.tm_min = static_cast<int>(time / 60 % 60);
  fields.tm_sec = static_cast<int>(time % 60);
  fields.tm_isdst = -1; // the zone's rules decide
  errno = 0;
  const time_t moment = mktime(&fields);
  if (moment == static_cast<time_t>(-1) && errno != 0) throwRuntimeError(kOverflow);
  return dateOfSeconds(static_cast<int64_t>(moment) + kUnixEpochSeconds);
}

} // namespace qv::posix
