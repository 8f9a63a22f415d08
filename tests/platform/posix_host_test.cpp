// The host calls of the native build: command capture and PosixSystem.

#include "platform/command_capture.hpp"
#include "platform/posix/posix_system.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <ctime>
#include <fstream>
#include <thread>

#include <sys/wait.h>

#include "core/convert.hpp"
#include "tests/platform/temp_tree.hpp"
#include "tests/support/failure_of.hpp"

namespace qv::platform {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Notices = std::vector<std::string>;

std::pair<std::string, Notices> run(const std::string &commandLine, std::chrono::milliseconds limit = 20s) {
  Notices notices; // filled before it is copied: a braced list runs in order
  return {captureCommandOutput(
              commandLine, [&](const std::string &text) { notices.push_back(text); }, limit),
          notices};
}

// Gone, or a zombie left to whichever process adopted it.
bool processEnded(const std::string &pid) {
  for (int attempt = 0; attempt < 100; ++attempt, std::this_thread::sleep_for(50ms)) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return true;
    const char state = line[line.rfind(") ") + 2];
    if (state == 'Z' || state == 'X') return true;
  }
  return false;
}

// Output beyond the limit is read to its end and dropped, with a notice.
TEST(CommandCapture, KeepsTheFirst32MiBAndDropsTheRest) {
  const std::string commandLine = "head -c 40000000 /dev/zero";
  auto [output, notices] = run(commandLine);
  EXPECT_EQ(output.size(), kCaptureKeepLimit);
  EXPECT_EQ(notices, Notices{outputCutNotice(commandLine)});
}

// A command that holds the pipe past the limit is ended with everything it
// started, and the capture fails: what was read so far could be any part of
// the output. Nothing is left behind: no zombie, no open descriptor.
TEST(CommandCapture, EndsWhatStillRunsWithoutWaitingForIt) {
  const auto descriptors = std::distance(fs::directory_iterator("/proc/self/fd"), {});
  test::TempTree folder;
  const std::string pidFile = folder.path("pid");
  const std::string slow = "echo partial; sleep 30 & echo $! > " + pidFile + "; wait";
  Notices notices;
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(test::raisedBy([&] {
              captureCommandOutput(
                  slow, [&](const std::string &text) { notices.push_back(text); }, 1000ms);
            }),
            test::Raised(kCaptureTimeoutNumber, "the command did not end within 1 s"));
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
  EXPECT_EQ(notices, Notices{"Command ended after its time limit of 1 s: " + slow});
  std::string pid;
  std::ifstream(pidFile) >> pid;
  EXPECT_TRUE(processEnded(pid)) << pid;
  EXPECT_EQ(std::distance(fs::directory_iterator("/proc/self/fd"), {}), descriptors);
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

// Output and errors share one pipe, in the order written; the bytes are
// decoded as a whole. A command line that names no program, or that a NUL
// would cut short, is not started.
TEST(CommandCapture, JoinsOutputAndErrorsDecodesAsAWholeAndRefusesWhatCannotStart) {
  const Notices refused{"CreateProcess failed. Error: 22"};
  const std::string x = "\xEF\xBF\xBD", xx = x + x, xxx = xx + x; // U+FFFD for each refused byte
  const std::tuple<std::string, std::string, Notices> cases[] = {
      {"printf a; printf b >&2; printf c; printf d >&2", "abcd", {}},
      // A two-byte character across the first read's end stays whole; a
      // byte that is no UTF-8 becomes U+FFFD.
      {"printf '%65535s\\303\\251\\377' ''", std::string(65535, ' ') + "\xC3\xA9\xEF\xBF\xBD", {}},
      // The edges of each sequence length kept (U+0800, U+D7FF, U+10000,
      // U+10FFFF); overlong forms, surrogates and code points past U+10FFFF
      // replaced byte by byte.
      {"printf '\\340\\240\\200\\355\\237\\277\\360\\220\\200\\200\\364\\217\\277\\277'",
       "\xE0\xA0\x80\xED\x9F\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
       {}},
      {"printf '\\300\\200 \\340\\200\\200 \\355\\240\\200 \\364\\220\\200\\200 \\365\\200\\200\\200'",
       xx + " " + xxx + " " + xxx + " " + xx + xx + " " + xx + xx,
       {}},
      {"", "", refused},
      {" \t\r\n", "", refused},
      {std::string("echo a\0; echo b", 15), "", refused},
  };
  for (const auto &[commandLine, output, notices] : cases)
    EXPECT_EQ(run(commandLine, 5s), std::make_pair(output, notices)) << commandLine;
}

// Parameters are split at blanks and given to the program as they are: no
// shell ever sees them.
TEST(PosixSystemTest, LaunchStartsTheProgramWithoutAShellOrReportsWhyNot) {
  posix::PosixSystem system;
  test::TempTree folder;
  const std::string first = folder.path("first"), second = folder.path("second");
  const std::string literal = folder.path("name$(id);\t`id`");
  EXPECT_EQ(system.launch("touch", "  " + first + "   " + second + " "), LaunchResult::started);
  EXPECT_EQ(system.launch("touch", literal), LaunchResult::started);
  auto made = [&] { return fs::exists(first) && fs::exists(second) && fs::exists(literal); };
  for (int i = 0; i < 500 && !made(); ++i)
    std::this_thread::sleep_for(10ms); // the program runs detached
  ASSERT_TRUE(made());
  EXPECT_TRUE(system.fileExists(first));
  EXPECT_FALSE(system.fileExists(folder.path()));
  EXPECT_EQ(system.launch("qv-no-such-program-anywhere", ""), LaunchResult::programNotFound);
  EXPECT_EQ(system.launch(first, ""), LaunchResult::accessDenied) << "not executable";
  EXPECT_EQ(system.launch(first + "/below", ""), LaunchResult::folderNotFound);
}

// In a zone five and a half hours east of UTC, set for this process.
TEST(PosixSystemTest, ClockGivesUtcAndLocalTime) {
  ASSERT_EQ(setenv("TZ", "QVT-5:30", 1), 0);
  tzset();
  posix::PosixSystem system;
  const double utc = system.nowUtc().serial;
  EXPECT_NEAR(utc, 25569.0 + static_cast<double>(time(nullptr)) / 86400.0, 2.0 / 86400);
  EXPECT_NEAR((system.nowLocal().serial - utc) * 86400.0, 19800.0, 2.0);
}

// The zone's rules for the moment itself: Sydney keeps daylight saving
// until 2026-04-05 03:00 local (16:00 universal the day before); Tokyo has
// none. Local times are taken back to the moment they show.
TEST(PosixSystemTest, ZoneConversionFollowsTheRulesOfEachMoment) {
  const std::tuple<const char *, DateParts, DateParts> cases[] = {
      {"Australia/Sydney", {2026, 3, 1, 1, 0, 0}, {2026, 3, 1, 12, 0, 0}},
      {"Australia/Sydney", {2026, 4, 4, 15, 59, 59}, {2026, 4, 5, 2, 59, 59}},
      {"Australia/Sydney", {2026, 4, 4, 16, 0, 0}, {2026, 4, 5, 2, 0, 0}},
      {"Australia/Sydney", {2026, 7, 1, 1, 0, 0}, {2026, 7, 1, 11, 0, 0}},
      {"Asia/Tokyo", {1850, 7, 1, 1, 0, 0}, {1850, 7, 1, 10, 18, 59}}, // local mean time before 1888
  };
  posix::PosixSystem system;
  for (const auto &[zone, universal, local] : cases) {
    ASSERT_EQ(setenv("TZ", zone, 1), 0);
    tzset();
    const Date shown = system.universalToLocal(makeDate(universal));
    EXPECT_EQ(shown, makeDate(local)) << zone << " " << universal.month << "/" << universal.day;
    // 02:00-02:59 on 5 April is shown twice; going back takes one of them.
    if (local.hour != 2) {
      EXPECT_EQ(system.localToUniversal(shown), makeDate(universal)) << zone;
    }
  }
}

} // namespace
} // namespace qv::platform
