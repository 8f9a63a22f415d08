#include "platform/command_capture.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <thread>

#include <sys/resource.h>
#include <sys/wait.h>

namespace qv::platform {
namespace {

using namespace std::chrono_literals;

struct Capture {
  std::string output;
  std::vector<std::string> notices;
  std::vector<std::size_t> reads;
};

Capture run(const std::string &commandLine, std::chrono::milliseconds limit = 20s) {
  Capture capture;
  capture.output = captureCommandOutput(
      commandLine, [&](const std::string &text) { capture.notices.push_back(text); }, limit,
      [&](std::size_t count) { capture.reads.push_back(count); });
  return capture;
}

std::string pattern(std::size_t size) {
  std::string text;
  for (std::size_t i = 0; i < size; ++i)
    text.push_back("0123456789abcdefghijklmnopqrstuvwxyz"[i * 7 % 36]);
  return text;
}

// Gone, or a zombie left to whichever process adopted it.
bool processEnded(const std::string &pidText) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ifstream stat("/proc/" + pidText + "/stat");
    std::string line;
    if (!stat || !std::getline(stat, line)) return true;
    auto state = line.find(") ");
    if (state != std::string::npos && (line[state + 2] == 'Z' || line[state + 2] == 'X')) return true;
    std::this_thread::sleep_for(50ms);
  }
  return false;
}

std::size_t openDescriptors() {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                                std::filesystem::directory_iterator()));
}

const std::string kTimeLimitNotice = "Command ended after its time limit of ";

TEST(CommandCapture, ReadsTheWholeOutputInOrderInLargeBlocks) {
  const std::string third = pattern(200);
  std::string lines;
  while (lines.size() < 200000)
    lines += "0123456789abcdef\n";
  lines.resize(200000);
  struct Case {
    std::string commandLine, expected;
    std::size_t reads; // at least
  } cases[] = {
      {"yes 0123456789abcdef | head -c 200000", lines, 200000 / kCaptureReadSize + 1},
      // Written in pieces with pauses, so the reader also waits on the pipe.
      {"for i in 1 2 3; do printf '%s' " + third + "; sleep 0.05; done", third + third + third, 3},
  };
  for (const auto &c : cases) {
    Capture capture = run(c.commandLine);
    EXPECT_EQ(capture.output, c.expected);
    EXPECT_GE(capture.reads.size(), c.reads);
    for (std::size_t count : capture.reads)
      EXPECT_LE(count, kCaptureReadSize);
    EXPECT_EQ(std::accumulate(capture.reads.begin(), capture.reads.end(), std::size_t(0)), c.expected.size());
    EXPECT_TRUE(capture.notices.empty());
  }
}

// Output beyond the limit is read to its end and dropped, with a notice: a
// command that writes without end costs its time limit, never the memory.
TEST(CommandCapture, KeepsTheFirst32MiBAndDropsTheRest) {
  const std::string cut = "Command output cut after 33554432 bytes";
  Capture finite = run("head -c 40000000 /dev/zero");
  EXPECT_EQ(finite.output.size(), kCaptureKeepLimit);
  EXPECT_EQ(finite.output.find_first_not_of('\0'), std::string::npos);
  EXPECT_EQ(std::accumulate(finite.reads.begin(), finite.reads.end(), std::size_t(0)), 40000000u);
  ASSERT_EQ(finite.notices.size(), 1u);
  EXPECT_EQ(finite.notices[0].rfind(cut, 0), 0u) << finite.notices[0];

  Capture endless = run("yes", 1500ms);
  EXPECT_LE(endless.output.size(), kCaptureKeepLimit);
  EXPECT_EQ(endless.output.rfind("y\ny\n", 0), 0u);
  std::size_t read = std::accumulate(endless.reads.begin(), endless.reads.end(), std::size_t(0));
  ASSERT_FALSE(endless.notices.empty());
  EXPECT_EQ(endless.notices.back().rfind(kTimeLimitNotice + "1500 ms", 0), 0u) << endless.notices.back();
  if (read > kCaptureKeepLimit) {
    EXPECT_EQ(endless.output.size(), kCaptureKeepLimit);
    EXPECT_EQ(endless.notices.front().rfind(cut, 0), 0u) << endless.notices.front();
  }
}

// The end of the pipe is the end of the capture, whatever the command still
// does: a child that closed its output and sleeps is ended, not waited for.
TEST(CommandCapture, ReturnsWhenThePipeEndsAndEndsWhatStillRuns) {
  const char *commandLines[] = {
      "echo $$; exec sleep 30 >/dev/null 2>&1",
      "echo $$; exec >/dev/null 2>&1; sleep 30",
  };
  for (const char *commandLine : commandLines) {
    auto started = std::chrono::steady_clock::now();
    Capture capture = run(commandLine);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s) << commandLine;
    EXPECT_TRUE(capture.notices.empty()) << commandLine;
    ASSERT_FALSE(capture.output.empty());
    capture.output.pop_back();
    EXPECT_TRUE(processEnded(capture.output)) << commandLine;
  }
}

TEST(CommandCapture, JoinsOutputAndErrorsAndReturnsWhatTheCommandPrinted) {
  struct Case {
    const char *commandLine;
    std::string expected;
  } cases[] = {
      {"printf a; printf b >&2; printf c; printf d >&2", "abcd"},
      {"true", ""},
      {"exit 3", ""},
      // Standard input is empty, not the host's.
      {"cat", ""},
      // No controlling terminal.
      {"(exec 3</dev/tty) 2>/dev/null && echo tty || echo no-tty", "no-tty\n"},
      // Decoded as a whole: a two-byte character across the first read's
      // end stays whole; a byte that is no UTF-8 becomes U+FFFD.
      {"printf '%65535s\\303\\251\\377' ''", std::string(65535, ' ') + "\xC3\xA9\xEF\xBF\xBD"},
  };
  for (const auto &c : cases) {
    Capture capture = run(c.commandLine);
    EXPECT_EQ(capture.output, c.expected) << c.commandLine;
    EXPECT_TRUE(capture.notices.empty()) << c.commandLine;
  }
}

TEST(CommandCapture, ACommandThatFailsAtOnceReturnsItsMessage) {
  Capture capture = run("no-such-tool-qv /server:ts01");
  EXPECT_NE(capture.output.find("no-such-tool-qv"), std::string::npos) << capture.output;
  EXPECT_NE(capture.output.find("not found"), std::string::npos) << capture.output;
  EXPECT_TRUE(capture.notices.empty());
}

TEST(CommandCapture, ACommandLineThatCannotStartGivesNothingAndANotice) {
  for (const std::string &commandLine :
       {std::string(), std::string("   "), std::string("echo a\0; echo b", 15)}) {
    Capture capture = run(commandLine);
    EXPECT_EQ(capture.output, "");
    EXPECT_EQ(capture.notices,
              std::vector<std::string>{"CreateProcess failed. Error: " + std::to_string(EINVAL)});
  }
}

TEST(CommandCapture, APipeThatCannotBeMadeGivesNothingAndANotice) {
  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
  rlimit none = saved;
  none.rlim_cur = 0;
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &none), 0);
  std::string output;
  std::vector<std::string> notices;
  output = captureCommandOutput("echo x", [&](const std::string &text) { notices.push_back(text); });
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &saved), 0);
  EXPECT_EQ(output, "");
  EXPECT_EQ(notices, std::vector<std::string>{"CreatePipe failed. Error: " + std::to_string(EMFILE)});
}

TEST(CommandCapture, ACommandThatOutlivesTheLimitIsEndedWithEverythingItStarted) {
  struct Case {
    const char *name;
    const char *commandLine;
    std::string before; // printed before the pid
  } cases[] = {
      {"child keeps the pipe", "printf early; echo $$; exec sleep 30", "early"},
      {"grandchild keeps the pipe", "sleep 30 & echo $!", ""},
  };
  for (const auto &c : cases) {
    auto started = std::chrono::steady_clock::now();
    Capture capture = run(c.commandLine, 1000ms);
    // A guard against a hang, far above the limit.
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s) << c.name;
    ASSERT_EQ(capture.notices.size(), 1u) << c.name;
    EXPECT_EQ(capture.notices[0].rfind(kTimeLimitNotice + "1000 ms", 0), 0u) << capture.notices[0];
    ASSERT_EQ(capture.output.rfind(c.before, 0), 0u) << c.name;
    std::string pid = capture.output.substr(c.before.size());
    ASSERT_FALSE(pid.empty()) << c.name;
    pid.pop_back(); // the line end
    EXPECT_TRUE(processEnded(pid)) << c.name << ", pid " << pid;
  }
}

TEST(CommandCapture, WhatTheCommandLeftRunningEndsWithTheCall) {
  Capture capture = run("sleep 30 >/dev/null 2>&1 & echo $!");
  EXPECT_TRUE(capture.notices.empty());
  ASSERT_FALSE(capture.output.empty());
  capture.output.pop_back();
  EXPECT_TRUE(processEnded(capture.output)) << capture.output;
}

TEST(CommandCapture, LeavesNoZombieAndNoOpenDescriptor) {
  const std::size_t before = openDescriptors();
  for (const char *commandLine : {"echo x", "", "sleep 5 & exit 0", "exit 7", "printf a >&2"})
    run(commandLine, 200ms);
  EXPECT_EQ(openDescriptors(), before);
  int status = 0;
  EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

} // namespace
} // namespace qv::platform
