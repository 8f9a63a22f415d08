// Command capture on POSIX: "/bin/sh -c" in its own session, standard output
// and standard error joined on one pipe, read to its end by polling (the
// component starts no threads).

#include "platform/command_capture.hpp"
#include "platform/capped_output.hpp"
#include "platform/posix/spawn_file_actions.hpp"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h> // NOLINT(modernize-deprecated-headers): kill and sigset_t are POSIX
#include <spawn.h>
#include <sys/mman.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace qv::platform {
namespace {

using posix::SpawnFileActions;

using Clock = std::chrono::steady_clock;

class FileDescriptor {
public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor &) = delete;
  FileDescriptor &operator=(const FileDescriptor &) = delete;
  ~FileDescriptor() { reset(); }

  int get() const { return fd_; }
  void reset(int fd = -1) {
    // close() is not retried after EINTR: on Linux the descriptor is gone.
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

private:
  int fd_ = -1;
};

class SpawnAttributes {
public:
  SpawnAttributes() { error_ = posix_spawnattr_init(&attributes_); }
  SpawnAttributes(const SpawnAttributes &) = delete;
  SpawnAttributes &operator=(const SpawnAttributes &) = delete;
  ~SpawnAttributes() {
    if (error_ == 0) posix_spawnattr_destroy(&attributes_);
  }
  int initError() const { return error_; }
  posix_spawnattr_t *get() { return &attributes_; }

private:
  posix_spawnattr_t attributes_;
  int error_;
};

// The started child, leader of its own process group. The group is ended
// and the child reaped at the latest when this goes out of scope, so no
// path leaves a zombie or a stray process behind.
class ChildGroup {
public:
  explicit ChildGroup(pid_t pid) : pid_(pid) {}
  ChildGroup(const ChildGroup &) = delete;
  ChildGroup &operator=(const ChildGroup &) = delete;
  ~ChildGroup() { endAndReap(); }

  // Ends whatever is left of the group, then reaps the child. The child is
  // still unreaped when the group is signalled, so the group id cannot have
  // been reused.
  void endAndReap() {
    if (done_) return;
    done_ = true;
    if (!unreaped()) return;
    ::kill(-pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) == -1 && errno == EINTR) {
    }
  }

private:
  // False when the child was reaped elsewhere (SIGCHLD ignored, or a
  // handler of the host): then its group id may no longer be ours.
  bool unreaped() const {
    for (;;) {
      siginfo_t info;
      std::memset(&info, 0, sizeof info);
      if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0) return true;
      if (errno != EINTR) return false;
    }
  }

  pid_t pid_;
  bool done_ = false;
};

bool cannotStart(const std::string &commandLine) {
  // A blank command line names no program; an embedded NUL would silently
  // cut the command short.
  return commandLine.find_first_not_of(" \t\r\n") == std::string::npos ||
         commandLine.find('\0') != std::string::npos;
}

int pollTimeout(Clock::duration remaining) {
  auto ms = std::chrono::ceil<std::chrono::milliseconds>(remaining).count();
  return static_cast<int>(std::clamp<std::int64_t>(ms, 0, INT_MAX));
}

// Asks for the kept output to be backed by large pages: a big capture then
// takes a few page faults instead of thousands. Only a hint; where it is
// refused nothing changes.
void adviseLargePages(const char *data, std::size_t size) {
#ifdef MADV_HUGEPAGE
  const long page = ::sysconf(_SC_PAGESIZE);
  if (page <= 0) return;
  const auto mask = ~(static_cast<std::uintptr_t>(page) - 1);
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t begin = (start + static_cast<std::uintptr_t>(page) - 1) & mask;
  const std::uintptr_t end = (start + size) & mask;
  // NOLINTNEXTLINE(performance-no-int-to-ptr): madvise takes a page-aligned address
  if (end > begin) ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

std::size_t utf8SequenceLength(const unsigned char *p, std::size_t available) {
  unsigned char lead = p[0];
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF; // bounds of the second byte
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;  // overlong
    if (lead == 0xED) high = 0x9F; // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;  // overlong
    if (lead == 0xF4) high = 0x8F; // above U+10FFFF
  } else
    return 0;
  if (available < length) return 0;
  if (p[1] < low || p[1] > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if ((p[i] & 0xC0) != 0x80) return 0;
  return length;
}

// The collected bytes as UTF-8 text: valid sequences kept, every invalid
// byte replaced by U+FFFD.
std::string decodeOutput(std::string bytes) {
  const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  auto validPrefix = [&] {
    while (i < size) {
      // Output is mostly ASCII: whole blocks of it are skipped at once.
      if (i + 32 <= size) {
        std::uint64_t words[4];
        std::memcpy(words, data + i, 32);
        if (((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ull) == 0) {
          i += 32;
          continue;
        }
      }
      if (i + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        if ((word & 0x8080808080808080ull) == 0) {
          i += 8;
          continue;
        }
      }
      std::size_t length = utf8SequenceLength(data + i, size - i);
      if (length == 0) return;
      i += length;
    }
  };
  validPrefix();
  if (i == size) return bytes;

  std::string text(bytes, 0, i);
  text.reserve(size + 16);
  while (i < size) {
    std::size_t start = i;
    validPrefix();
    text.append(bytes, start, i - start);
    if (i < size) {
      text.append("\xEF\xBF\xBD");
      ++i;
    }
  }
  return text;
}

} // namespace

std::string captureCommandOutput(const std::string &commandLine,
                                 const std::function<void(const std::string &)> &notice,
                                 std::chrono::milliseconds limit,
                                 const std::function<void(std::size_t)> &onRead) {
  auto tell = [&](const std::string &text) {
    if (notice) notice(text);
  };
  // Keeps the deadline arithmetic far from overflow.
  limit = std::clamp<std::chrono::milliseconds>(limit, std::chrono::milliseconds(0),
                                                std::chrono::hours(24 * 365));
  const auto deadline = Clock::now() + limit;

  if (cannotStart(commandLine)) {
    tell(startFailureNotice(StartFailure::Process, EINVAL));
    return {};
  }

  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) {
    tell(startFailureNotice(StartFailure::Pipe, errno));
    return {};
  }
  FileDescriptor readEnd(ends[0]);
  FileDescriptor writeEnd(ends[1]);
  // The child's descriptors 0 to 2 are rebuilt from the write end; keep it
  // clear of them so no dup2 onto itself is needed.
  if (writeEnd.get() <= STDERR_FILENO) {
    int moved = ::fcntl(writeEnd.get(), F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    if (moved < 0) {
      tell(startFailureNotice(StartFailure::Pipe, errno));
      return {};
    }
    writeEnd.reset(moved);
  }
  int flags = ::fcntl(readEnd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(readEnd.get(), F_SETFL, flags | O_NONBLOCK) < 0) {
    tell(startFailureNotice(StartFailure::Pipe, errno));
    return {};
  }
#ifdef F_SETPIPE_SZ
  // Room for many reads: a fast writer runs ahead instead of waiting for
  // the reader to be scheduled after every block. The system's limit may
  // refuse it; the default pipe then does.
  ::fcntl(readEnd.get(), F_SETPIPE_SZ, static_cast<int>(16 * kCaptureReadSize));
#endif

  pid_t pid = -1;
  {
    SpawnFileActions actions;
    SpawnAttributes attributes;
    int error = actions.initError() != 0 ? actions.initError() : attributes.initError();
    if (error == 0) error = posix_spawn_file_actions_adddup2(actions.get(), writeEnd.get(), STDOUT_FILENO);
    if (error == 0) error = posix_spawn_file_actions_adddup2(actions.get(), writeEnd.get(), STDERR_FILENO);
    if (error == 0)
      error = posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);

    // A new session: no controlling terminal, and one process group that
    // holds everything the command starts.
    short spawnFlags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
    spawnFlags |= POSIX_SPAWN_SETSID;
#else
    spawnFlags |= POSIX_SPAWN_SETPGROUP;
    if (error == 0) error = posix_spawnattr_setpgroup(attributes.get(), 0);
#endif
    sigset_t signals;
    sigemptyset(&signals);
    if (error == 0) error = posix_spawnattr_setsigmask(attributes.get(), &signals);
    // Dispositions the host may have set to "ignore" survive exec; give the
    // command the defaults a shell expects.
    for (int number : {SIGPIPE, SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGCHLD, SIGALRM, SIGUSR1, SIGUSR2, SIGTSTP,
                       SIGTTIN, SIGTTOU})
      sigaddset(&signals, number);
    if (error == 0) error = posix_spawnattr_setsigdefault(attributes.get(), &signals);
    if (error == 0) error = posix_spawnattr_setflags(attributes.get(), spawnFlags);

    if (error == 0) {
      std::string program = "sh", option = "-c", command = commandLine;
      char *argv[] = {program.data(), option.data(), command.data(), nullptr};
      error = ::posix_spawn(&pid, "/bin/sh", actions.get(), attributes.get(), argv, environ);
    }
    if (error != 0) {
      tell(startFailureNotice(StartFailure::Process, error));
      return {};
    }
  }
  ChildGroup child(pid);
  // Only the child's copies of the write end may keep the pipe open now.
  writeEnd.reset();

  CappedOutput output(kCaptureKeepLimit);
  adviseLargePages(output.data(), output.capacity());
  bool timedOut = false;
  std::vector<char> buffer(kCaptureReadSize);
  for (;;) {
    ssize_t count = ::read(readEnd.get(), buffer.data(), buffer.size());
    if (count > 0) {
      output.append(buffer.data(), static_cast<std::size_t>(count));
      if (onRead) onRead(static_cast<std::size_t>(count));
      continue;
    }
    if (count == 0) break;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) break; // a failed read ends the output

    auto remaining = deadline - Clock::now();
    if (remaining <= Clock::duration::zero()) {
      timedOut = true;
      break;
    }
    pollfd watched{readEnd.get(), POLLIN, 0};
    if (::poll(&watched, 1, pollTimeout(remaining)) < 0 && errno != EINTR) break;
  }
  readEnd.reset();
  // The end of the pipe ends the capture: a child that closed its output
  // and runs on, and anything it started, are ended now rather than waited
  // for.
  child.endAndReap();

  if (output.cut()) tell(outputCutNotice(commandLine));
  if (timedOut) failAfterLimit(commandLine, limit, notice);
  return decodeOutput(output.take());
}

} // namespace qv::platform
