#include "platform/posix/posix_system.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/local_names.hpp"
#include "tests/platform/temp_tree.hpp"

namespace fs = std::filesystem;

namespace {

using qv::LaunchResult;
using qv::posix::PosixSystem;
using qv::test::TempTree;

// A detached program runs on its own; wait for what it leaves behind.
bool appears(const std::string &path) {
  for (int i = 0; i < 500; ++i) {
    if (fs::exists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(PosixSystemTest, ComputerNameIsTheHostNameAndThereIsNoWorkgroup) {
  PosixSystem system;
  char expected[256] = {};
  ASSERT_EQ(gethostname(expected, sizeof expected - 1), 0);
  EXPECT_EQ(system.computerName(), std::string(expected));
  EXPECT_EQ(qv::localComputerName(system), qv::trimmed(expected));
  EXPECT_EQ(system.workgroupName(), std::nullopt);
}

TEST(PosixSystemTest, LaunchStartsADetachedProgramWithParametersSplitAtBlanksAndNoShell) {
  PosixSystem system;
  TempTree folder;
  const std::string first = folder.path("first");
  const std::string second = folder.path("second");
  const std::string literal = folder.path("name$(id);`id`");
  EXPECT_EQ(system.launch("touch", "  " + first + "   " + second + " "), LaunchResult::started);
  EXPECT_EQ(system.launch("touch", literal), LaunchResult::started);
  EXPECT_TRUE(appears(first));
  EXPECT_TRUE(appears(second));
  EXPECT_TRUE(appears(literal));
  // The launched program is not left as a child of this process.
  ASSERT_EQ(system.launch("sleep", "1"), LaunchResult::started);
  int status = 0;
  errno = 0;
  EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST(PosixSystemTest, LaunchReportsShellLikeCodesWhenNothingStarts) {
  PosixSystem system;
  TempTree folder;
  const std::string notExecutable = folder.path("plain.txt");
  std::ofstream(notExecutable) << "text";
  EXPECT_EQ(system.launch("qv-no-such-program-anywhere", ""), LaunchResult::programNotFound);
  EXPECT_EQ(system.launch(folder.path("missing/program"), ""), LaunchResult::programNotFound);
  EXPECT_EQ(system.launch(notExecutable, ""), LaunchResult::accessDenied);
  EXPECT_EQ(system.launch(notExecutable + "/below", ""), LaunchResult::folderNotFound);
}

TEST(PosixSystemTest, FileExistsOnlyForRegularFiles) {
  PosixSystem system;
  TempTree folder;
  const std::string file = folder.path("file");
  std::ofstream(file) << "0123456789";
  EXPECT_TRUE(system.fileExists(file));
  EXPECT_FALSE(system.fileExists(folder.path("")));
  EXPECT_FALSE(system.fileExists(folder.path("missing")));
}

TEST(PosixSystemTest, CaptureAndEnvironmentReachTheHost) {
  PosixSystem system;
  EXPECT_EQ(system.captureCommandOutput("echo captured; echo to-error >&2"), "captured\nto-error\n");
  ASSERT_EQ(setenv("QV_POSIX_SYSTEM_TEST", "value with blanks", 1), 0);
  EXPECT_EQ(system.environment("QV_POSIX_SYSTEM_TEST"), "value with blanks");
  ASSERT_EQ(unsetenv("QV_POSIX_SYSTEM_TEST"), 0);
  EXPECT_EQ(system.environment("QV_POSIX_SYSTEM_TEST"), std::nullopt);
}

TEST(PosixSystemTest, ClockGivesAutomationDatesInWholeSeconds) {
  PosixSystem system;
  const time_t before = time(nullptr);
  const qv::Date utc = system.nowUtc();
  const qv::Date local = system.nowLocal();
  const time_t after = time(nullptr);
  EXPECT_GE(utc.serial, 25569.0 + static_cast<double>(before) / 86400.0);
  EXPECT_LE(utc.serial, 25569.0 + static_cast<double>(after) / 86400.0);
  struct tm parts {};
  localtime_r(&before, &parts);
  EXPECT_NEAR((local.serial - utc.serial) * 86400.0, static_cast<double>(parts.tm_gmtoff), 2.0);
  const double seconds = utc.serial * 86400.0;
  EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
}

} // namespace
