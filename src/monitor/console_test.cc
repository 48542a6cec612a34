#include "monitor/console.h"

#include <gtest/gtest.h>

#include "platform/fake_platform.h"

namespace varnel {
namespace {

TEST(ConsoleStreamTest, HandsEachTextOnAsOneWrite) {
  FakePlatform platform;
  ConsoleStream console(platform);
  console.Write("[STATUS] x");
  console.Write("");
  console.Write(".");
  console.LineEnd();
  EXPECT_EQ(platform.EventsStartingWith("write"),
            (std::vector<std::string>{"write [STATUS] x", "write .", "write \n"}));
  EXPECT_FALSE(console.failed());
}

TEST(ConsoleStreamTest, ARefusedWriteFailsTheStreamForGood) {
  FakePlatform platform;
  platform.writes_before_refusal = 1;
  ConsoleStream console(platform);
  console.Write("a");
  console.Write("b");
  console.Write("c");
  console.LineEnd();
  EXPECT_TRUE(console.failed());
  EXPECT_EQ(platform.output, "a");
  // Only the refused write reached the platform; the rest were dropped.
  EXPECT_EQ(platform.EventsStartingWith("write"),
            (std::vector<std::string>{"write a", "write refused"}));
}

}  // namespace
}  // namespace varnel
