// The platform on POSIX systems.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <vector>

#include "platform/platform.h"

namespace varnel {

namespace {

// A file descriptor that is closed when it goes out of scope.
class PosixInputFile : public InputFile {
 public:
  explicit PosixInputFile(int fd) : fd_(fd) {}
  ~PosixInputFile() override { close(fd_); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  std::ptrdiff_t Read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t got = read(fd_, buffer, size);
      if (got >= 0) return got;
      if (errno != EINTR) return -1;
    }
  }

 private:
  int fd_;
};

// The full path of the running executable. The one place that knows how
// each system tells it.
std::string OwnExecutablePath() {
#if defined(__linux__)
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return std::string();
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    buffer.resize(buffer.size() * 2);  // possibly cut: try again with more room
  }
#else
#error "OwnExecutablePath: tell how this system reports the running executable's path"
#endif
}

// Waits until `fd` can take more bytes; false if it never will.
bool WaitWritable(int fd) {
  pollfd entry{fd, POLLOUT, 0};
  for (;;) {
    const int ready = poll(&entry, 1, -1);
    if (ready > 0) return (entry.revents & (POLLERR | POLLNVAL)) == 0;
    if (ready < 0 && errno != EINTR) return false;
  }
}

class PosixPlatform : public Platform {
 public:
  PosixPlatform() {
    // A reader of standard output that has gone must be a refused write,
    // not the end of the process: the run still has markers to delete.
    (void)signal(SIGPIPE, SIG_IGN);
  }

  std::string ExecutablePath() override { return OwnExecutablePath(); }

  PathSyntax Syntax() override { return PathSyntax{}; }

  bool IsNonDirectory(const std::string& path) override {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
  }

  void RemoveFile(const std::string& path) override { unlink(path.c_str()); }

  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    // Non-blocking, so that a FIFO in a marker's place cannot hold the open;
    // only a regular file is read, so neither a FIFO nor a device (an
    // endless /dev/zero) can hold the run.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return nullptr;
    auto file = std::make_unique<PosixInputFile>(fd);
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
    return file;
  }

  void SleepOneSecond() override {
    // An absolute deadline on the monotonic clock: a signal that interrupts
    // the sleep does not shorten it, and a change of the wall clock does not
    // stretch it.
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    deadline.tv_sec += 1;
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
  }

  bool WriteStdout(std::string_view bytes) override {
    const char* next = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
      const ssize_t wrote = write(STDOUT_FILENO, next, left);
      if (wrote >= 0) {
        next += wrote;
        left -= static_cast<std::size_t>(wrote);
      } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
        // A non-blocking pipe that is full is no refusal: wait for room.
        if (!WaitWritable(STDOUT_FILENO)) return false;
      } else if (errno != EINTR) {
        return false;
      }
    }
    return true;
  }
};

}  // namespace

std::unique_ptr<Platform> MakeSystemPlatform() { return std::make_unique<PosixPlatform>(); }

}  // namespace varnel
