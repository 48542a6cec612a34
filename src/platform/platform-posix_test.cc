// Standard output of the POSIX platform: file descriptor 1 is pointed at a
// pipe for the length of each test.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/platform.h"

namespace varnel {
namespace {

// Points file descriptor 1 at `fd` until destroyed.
class StdoutRedirect {
 public:
  explicit StdoutRedirect(int fd) {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    dup2(fd, STDOUT_FILENO);
  }
  ~StdoutRedirect() {
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }
  StdoutRedirect(const StdoutRedirect&) = delete;
  StdoutRedirect& operator=(const StdoutRedirect&) = delete;

 private:
  int saved_;
};

TEST(PosixPlatformTest, PathsArePosixPaths) {
  EXPECT_EQ(MakeSystemPlatform()->Syntax().style, PathSyntax::Style::kPosix);
}

TEST(PosixStdoutTest, AFullNonBlockingPipeIsWaitedOnAndNothingIsDropped) {
  int pipe_fds[2];
  ASSERT_EQ(pipe(pipe_fds), 0);
  fcntl(pipe_fds[1], F_SETFL, fcntl(pipe_fds[1], F_GETFL) | O_NONBLOCK);
  std::string received;
  std::thread reader([&] {
    // Let the writer fill the pipe and meet EAGAIN first.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(pipe_fds[0], buffer, sizeof buffer)) > 0) {
      received.append(buffer, static_cast<std::size_t>(got));
    }
  });
  std::string sent;
  for (int i = 0; sent.size() < (1U << 20); ++i) sent += "line " + std::to_string(i) + "\n";
  bool accepted = false;
  {
    const auto platform = MakeSystemPlatform();
    StdoutRedirect redirect(pipe_fds[1]);
    accepted = platform->WriteStdout(sent) && platform->WriteStdout("tail\n");
  }
  close(pipe_fds[1]);
  reader.join();
  close(pipe_fds[0]);
  EXPECT_TRUE(accepted);
  EXPECT_EQ(received, sent + "tail\n");
}

TEST(PosixStdoutTest, APipeWithoutReaderRefusesTheWriteWithoutASignal) {
  int pipe_fds[2];
  ASSERT_EQ(pipe(pipe_fds), 0);
  close(pipe_fds[0]);
  bool accepted = true;
  {
    const auto platform = MakeSystemPlatform();
    StdoutRedirect redirect(pipe_fds[1]);
    accepted = platform->WriteStdout("lost\n");
  }
  close(pipe_fds[1]);
  EXPECT_FALSE(accepted);
}

}  // namespace
}  // namespace varnel
