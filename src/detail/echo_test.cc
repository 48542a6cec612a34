#include "detail/echo.h"

#include <gtest/gtest.h>

#include "platform/fake_platform.h"

namespace varnel {
namespace {

const std::string kPath = "/d/E3.$$$";

std::string Tagged(const std::string& piece) { return "[ERROR#] " + piece; }

struct EchoCase {
  const char* name;
  std::string text;
  std::string output;
};

std::vector<EchoCase> EchoCases() {
  const std::string x253(253, 'x');
  const std::string x254(254, 'x');
  const std::string y600(600, 'y');
  return {
      {"Empty", "", "\n"},
      {"SubFirst",
       "\x1a"
       "abc\n",
       "\n"},
      {"OneLine", "abc\n", Tagged("abc\n") + "\n"},
      {"LastLineWithoutLineFeed", "abc\ndef", Tagged("abc\n") + Tagged("def") + "\n"},
      {"CrLfReadsAsLf", "ab\r\ncd\r\n", Tagged("ab\n") + Tagged("cd\n") + "\n"},
      {"CrCrLfReadsAsLf", "ab\r\r\ncd", Tagged("ab\n") + Tagged("cd") + "\n"},
      {"LoneCrJoins", "ab\rcd\n", Tagged("abcd\n") + "\n"},
      {"OnlyCrs", "\r\r\r", "\n"},
      {"EmptyLine", "\n\nz\n", Tagged("\n") + Tagged("\n") + Tagged("z\n") + "\n"},
      {"Line253IsOnePiece", x253 + "\n", Tagged(x253 + "\n") + "\n"},
      {"Line254IsTwoPieces", x254 + "\n", Tagged(x254) + Tagged("\n") + "\n"},
      {"Line600IsThreePieces", y600 + "\n",
       Tagged(y600.substr(0, 254)) + Tagged(y600.substr(0, 254)) +
           Tagged(std::string(92, 'y') + "\n") + "\n"},
      {"Last254WithoutLineFeed", x254, Tagged(x254) + "\n"},
      {"CrsDoNotCount", "\r" + x253 + "\r\r\n", Tagged(x253 + "\n") + "\n"},
      {"NulCutsItsPiece", std::string("ab\0cd\nef\n", 9), Tagged("ab") + Tagged("ef\n") + "\n"},
      {"NulFirstWritesNothing", std::string("\0abc\nz\n", 7), Tagged("z\n") + "\n"},
      {"NulCountsInThePiece", std::string(1, '\0') + std::string(300, 'w') + "\n",
       Tagged(std::string(47, 'w') + "\n") + "\n"},
      {"SubMidLineEndsText",
       "ab\ncd\x1a"
       "ef\ngh\n",
       Tagged("ab\n") + Tagged("cd") + "\n"},
      {"OtherBytesUnchanged", "\t\x01\x7f\x80\xfe\xff\x1b[0m\n",
       Tagged("\t\x01\x7f\x80\xfe\xff\x1b[0m\n") + "\n"},
  };
}

// Every case, with the file's bytes arriving in reads of several sizes: the
// text rules must not depend on where a read ends.
class EchoTextTest : public testing::TestWithParam<std::tuple<EchoCase, std::size_t>> {};

TEST_P(EchoTextTest, WritesTheTaggedPiecesThenALineEnd) {
  const auto& [c, read_size] = GetParam();
  FakePlatform platform;
  platform.AddFile(kPath, c.text);
  platform.read_size_limit = read_size;
  ConsoleStream console(platform);
  EchoDetailFile(platform, console, kPath);
  EXPECT_EQ(platform.output, c.output);
  EXPECT_EQ(platform.open_files, 0);
  EXPECT_EQ(platform.entries[kPath].content, c.text);  // left as it was
}

INSTANTIATE_TEST_SUITE_P(Table, EchoTextTest,
                         testing::Combine(testing::ValuesIn(EchoCases()),
                                          testing::Values(1, 2, 253, 254, 255, 65536)),
                         [](const testing::TestParamInfo<EchoTextTest::ParamType>& param_info) {
                           return std::string(std::get<0>(param_info.param).name) + "_Read" +
                                  std::to_string(std::get<1>(param_info.param));
                         });

TEST(EchoTest, AFileThatCannotBeOpenedWritesNothing) {
  FakePlatform platform;
  platform.AddDirectory("/d/E2.$$$");
  platform.AddFile(kPath, "text\n");
  platform.unreadable.insert(kPath);
  ConsoleStream console(platform);
  EchoDetailFile(platform, console, "/d/E1.$$$");
  EchoDetailFile(platform, console, "/d/E2.$$$");
  EchoDetailFile(platform, console, kPath);
  EXPECT_EQ(platform.output, "");
}

TEST(EchoTest, AFailedReadEndsTheTextAfterWhatItTook) {
  FakePlatform platform;
  platform.AddFile(kPath, "first\nsecond line\nthird\n");
  platform.read_size_limit = 4;
  platform.read_fails_at = 10;  // in the middle of "second"
  ConsoleStream console(platform);
  EchoDetailFile(platform, console, kPath);
  EXPECT_EQ(platform.output, Tagged("first\n") + Tagged("seco") + "\n");
  EXPECT_EQ(platform.EventsStartingWith("read failed").size(), 1u);  // not repeated
  EXPECT_EQ(platform.open_files, 0);
}

TEST(EchoTest, EachPieceIsWrittenBeforeTheNextReadAndTheFileClosedBeforeTheLineEnd) {
  FakePlatform platform;
  platform.AddFile(kPath, "a\nb\n");
  platform.read_size_limit = 2;
  ConsoleStream console(platform);
  EchoDetailFile(platform, console, kPath);
  EXPECT_EQ(platform.events,
            (std::vector<std::string>{"open " + kPath, "read 2", "write [ERROR#] a\n", "read 2",
                                      "write [ERROR#] b\n", "read 0", "close", "write \n"}));
}

TEST(EchoTest, AGrowingFileIsEchoedAsFarAsEachReadReaches) {
  FakePlatform platform;
  platform.AddFile(kPath, "one\n");
  platform.read_size_limit = 4;
  int reads = 0;
  platform.on_read = [&] {
    // The sending program appends just before the monitor's 2nd read.
    if (++reads == 2) platform.entries[kPath].content += "two\n";
  };
  ConsoleStream console(platform);
  EchoDetailFile(platform, console, kPath);
  EXPECT_EQ(platform.output, Tagged("one\n") + Tagged("two\n") + "\n");
  // The 3rd read found nothing more: the echo ended there without waiting.
  EXPECT_EQ(reads, 3);
}

}  // namespace
}  // namespace varnel
