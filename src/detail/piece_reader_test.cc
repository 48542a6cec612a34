#include "detail/piece_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake_platform.h"

namespace varnel {
namespace {

TEST(PieceReaderTest, ReadsNoMoreOnceTheTextHasEnded) {
  FakePlatform platform;
  platform.AddFile("f", "abc");
  auto file = platform.OpenForReading("f");
  PieceReader reader(*file, 2);
  char piece[PieceReader::kMaxPiece];
  EXPECT_EQ(std::string(piece, reader.ReadPiece(piece)), "abc");
  EXPECT_TRUE(reader.at_end());
  platform.entries["f"].content += "more\n";
  EXPECT_EQ(reader.ReadPiece(piece), 0u);
  EXPECT_EQ(platform.EventsStartingWith("read"),
            (std::vector<std::string>{"read 2", "read 1", "read 0"}));
}

TEST(PieceReaderTest, ASubEndsTheTextWithoutAnotherRead) {
  FakePlatform platform;
  platform.AddFile("f",
                   "ab\x1a"
                   "cd\n");
  auto file = platform.OpenForReading("f");
  PieceReader reader(*file, 3);
  char piece[PieceReader::kMaxPiece];
  EXPECT_EQ(std::string(piece, reader.ReadPiece(piece)), "ab");
  EXPECT_TRUE(reader.at_end());
  EXPECT_EQ(platform.EventsStartingWith("read").size(), 1u);
}

TEST(PieceReaderTest, AtEndOnlyAfterAReadFindsNothing) {
  // A text ending in a line feed is followed by one more, empty read.
  FakePlatform platform;
  platform.AddFile("f", "ab\n");
  auto file = platform.OpenForReading("f");
  PieceReader reader(*file);
  char piece[PieceReader::kMaxPiece];
  EXPECT_EQ(reader.ReadPiece(piece), 3u);
  EXPECT_FALSE(reader.at_end());
  EXPECT_EQ(reader.ReadPiece(piece), 0u);
  EXPECT_TRUE(reader.at_end());
}

}  // namespace
}  // namespace varnel
