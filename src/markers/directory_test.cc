#include "markers/directory.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace varnel {
namespace {

// Lead bytes of code page 932 (Shift JIS).
std::bitset<256> Cp932LeadBytes() {
  std::bitset<256> lead;
  for (int b = 0x81; b <= 0x9F; ++b) lead.set(static_cast<std::size_t>(b));
  for (int b = 0xE0; b <= 0xFC; ++b) lead.set(static_cast<std::size_t>(b));
  return lead;
}

struct DosCase {
  const char* path;
  bool double_byte;
  const char* directory;
};

void PrintTo(const DosCase& c, std::ostream* os) {
  *os << testing::PrintToString(std::string(c.path)) << (c.double_byte ? " in cp932" : "");
}

class DosDirectoryTest : public testing::TestWithParam<DosCase> {};

TEST_P(DosDirectoryTest, CutsTheDirectory) {
  const DosCase& c = GetParam();
  EXPECT_EQ(DosDirectory(c.path, c.double_byte ? Cp932LeadBytes() : std::bitset<256>()),
            c.directory);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DosDirectoryTest,
    testing::Values(DosCase{R"(C:\Tools\Monitor\mon.exe)", false, R"(C:\Tools\Monitor)"},
                    DosCase{R"(C:\mon.exe)", false, R"(C:\)"},
                    DosCase{R"(\\server\share\mon\mon.exe)", false, R"(\\server\share\mon)"},
                    DosCase{"mon.exe", false, ""}, DosCase{"", false, ""},
                    DosCase{"C:mon.exe", false, "C:"}, DosCase{R"(\mon.exe)", false, R"(\)"},
                    DosCase{R"(\\mon.exe)", false, R"(\\)"},
                    DosCase{R"(C:\Tools\)", false, R"(C:\Tools)"},
                    // A directory name ending in the double-byte character 0x95 0x5C:
                    // its second byte is no delimiter, and the real separator after it
                    // is left off.
                    DosCase{"C:\\Dir\x95\x5C\\mon.exe", true, "C:\\Dir\x95\x5C"},
                    DosCase{"C:\\\x95\x5C\\mon.exe", true, "C:\\\x95\x5C"},
                    // The same bytes without double-byte support: 0x5C is a `\` that
                    // follows a `\`, so the separator after it is kept.
                    DosCase{"C:\\\x95\x5C\\mon.exe", false, "C:\\\x95\x5C\\"},
                    DosCase{"C:\\Dir\x95\x5C\\mon.exe", false, "C:\\Dir\x95\x5C\\"},
                    // The character in the file name: the scan passes over both bytes.
                    DosCase{"C:\\Dir\\mon\x95\x5C.exe", true, "C:\\Dir"},
                    DosCase{"C:\\Dir\\mon\x95\x5C.exe", false, "C:\\Dir\\mon\x95"},
                    // A lead byte as the very last byte stands alone.
                    DosCase{"C:\\Dir\\mon\x95", true, "C:\\Dir"}));

TEST(PosixDirectoryTest, CutsAtTheLastSlash) {
  EXPECT_EQ(PosixDirectory("/opt/varnel/varnel"), "/opt/varnel");
  EXPECT_EQ(PosixDirectory("/varnel"), "/");
  EXPECT_EQ(PosixDirectory("varnel"), "");
  EXPECT_EQ(PosixDirectory("/a b/c:d\\e/varnel"), "/a b/c:d\\e");
}

}  // namespace
}  // namespace varnel
