#include "markers/markers.h"

#include <gtest/gtest.h>

#include "platform/fake_platform.h"

namespace varnel {
namespace {

PathSyntax Dos() {
  PathSyntax syntax;
  syntax.style = PathSyntax::Style::kDos;
  return syntax;
}

TEST(MarkerPathTest, DosPaths) {
  EXPECT_EQ(MarkerPath(MarkerBase(R"(C:\Tools\Monitor\mon.exe)", Dos()), 5),
            R"(C:\Tools\Monitor\E5.$$$)");
  // The drive root keeps its separator, so the base doubles it.
  EXPECT_EQ(MarkerBase(R"(C:\mon.exe)", Dos()), R"(C:\\E)");
  EXPECT_EQ(MarkerPath(MarkerBase(R"(C:\mon.exe)", Dos()), 5), R"(C:\\E5.$$$)");
  EXPECT_EQ(MarkerPath(MarkerBase(R"(\\server\share\mon\mon.exe)", Dos()), 5),
            R"(\\server\share\mon\E5.$$$)");
  EXPECT_EQ(MarkerPath(MarkerBase("mon.exe", Dos()), 5), R"(\E5.$$$)");
}

TEST(MarkerPathTest, PosixPaths) {
  EXPECT_EQ(MarkerPath(MarkerBase("/opt/varnel/varnel", PathSyntax{}), 5), "/opt/varnel/E5.$$$");
  EXPECT_EQ(MarkerPath(MarkerBase("/varnel", PathSyntax{}), 5), "/E5.$$$");
  for (int index = 1; index <= 6; ++index) {
    EXPECT_EQ(MarkerPath("/d/E", index), "/d/E" + std::to_string(index) + ".$$$");
  }
}

TEST(MarkerExistsTest, AFileIsPresentADirectoryIsNot) {
  FakePlatform platform;
  platform.AddFile("/d/E1.$$$");
  platform.AddDirectory("/d/E2.$$$");
  EXPECT_TRUE(MarkerExists(platform, "/d/E", 1));
  EXPECT_FALSE(MarkerExists(platform, "/d/E", 2));
  EXPECT_FALSE(MarkerExists(platform, "/d/E", 3));
  EXPECT_EQ(platform.open_files, 0);
  EXPECT_TRUE(platform.EventsStartingWith("open").empty());
}

TEST(RemoveMarkersTest, DeletesThePresentMarkersInOrderAndNothingElse) {
  FakePlatform platform;
  platform.AddFile("/d/E6.$$$");
  platform.AddFile("/d/E2.$$$", "text");
  platform.AddDirectory("/d/E5.$$$");
  platform.AddFile("/d/E7.$$$");
  platform.AddFile("/d/other");
  platform.AddFile("/d/E4.$$$");
  platform.undeletable.insert("/d/E4.$$$");
  RemoveMarkers(platform, "/d/E");
  EXPECT_EQ(platform.EventsStartingWith("remove"),
            (std::vector<std::string>{"remove /d/E2.$$$", "remove /d/E4.$$$", "remove /d/E6.$$$"}));
  EXPECT_FALSE(platform.Has("/d/E2.$$$"));
  EXPECT_FALSE(platform.Has("/d/E6.$$$"));
  EXPECT_TRUE(platform.Has("/d/E4.$$$"));  // its deletion failed: it stays
  EXPECT_TRUE(platform.Has("/d/E5.$$$"));
  EXPECT_TRUE(platform.Has("/d/E7.$$$"));
  EXPECT_TRUE(platform.Has("/d/other"));
  EXPECT_EQ(platform.EventsStartingWith("test").size(), 6u);
}

}  // namespace
}  // namespace varnel
