// The Windows standard output sink and the Windows path syntax.
#include "platform/stdout-win32.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace varnel {
namespace {

// An anonymous pipe whose ends are closed when it goes.
struct Pipe {
  Pipe() { EXPECT_TRUE(CreatePipe(&read_end, &write_end, nullptr, 1 << 16)); }
  ~Pipe() {
    if (read_end != nullptr) CloseHandle(read_end);
    if (write_end != nullptr) CloseHandle(write_end);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;

  std::string ReadWritten() {
    CloseHandle(write_end);
    write_end = nullptr;
    std::string all;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0) {
      all.append(buffer, got);
    }
    return all;
  }

  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
};

TEST(Win32StdoutSinkTest, EveryLineFeedGoesOutAsCarriageReturnLineFeed) {
  Pipe pipe;
  Win32StdoutSink sink(pipe.write_end);
  EXPECT_TRUE(sink.Write("\nVarnel\n\n"));
  EXPECT_TRUE(sink.Write("[ERROR#] a\tb\x80\xff\r\n"));
  EXPECT_TRUE(sink.Write("."));
  EXPECT_TRUE(sink.Write(std::string("x\0y\n", 4)));
  EXPECT_EQ(pipe.ReadWritten(),
            std::string("\r\nVarnel\r\n\r\n[ERROR#] a\tb\x80\xff\r\r\n.x\0y\r\n", 35));
}

TEST(Win32StdoutSinkTest, AMissingHandleOrAGoneReaderRefusesTheWrite) {
  EXPECT_FALSE(Win32StdoutSink(INVALID_HANDLE_VALUE).Write("a\n"));
  EXPECT_FALSE(Win32StdoutSink(nullptr).Write("a\n"));
  Pipe pipe;
  CloseHandle(pipe.read_end);
  pipe.read_end = nullptr;
  EXPECT_FALSE(Win32StdoutSink(pipe.write_end).Write("a\n"));
}

TEST(Win32PlatformTest, PathsAreDosPathsOfAnExe) {
  const auto platform = MakeSystemPlatform();
  EXPECT_EQ(platform->Syntax().style, PathSyntax::Style::kDos);
  const std::string path = platform->ExecutablePath();
  ASSERT_GT(path.size(), 4U);
  EXPECT_EQ(path.substr(1, 2), ":\\") << path;
}

}  // namespace
}  // namespace varnel
