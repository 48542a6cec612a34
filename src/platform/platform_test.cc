// The system's platform, on the real file system of the machine under test.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace varnel {
namespace {

namespace fs = std::filesystem;

class SystemPlatformTest : public testing::Test {
 protected:
  void SetUp() override {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = fs::temp_directory_path() /
           ("varnel platform " +
            std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + " " +
            std::to_string(stamp));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void WriteFile(const std::string& name, const std::string& content) const {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }
  static std::string ReadAll(InputFile& file, std::size_t chunk) {
    std::string all;
    std::string buffer(chunk, '\0');
    for (;;) {
      const std::ptrdiff_t got = file.Read(buffer.data(), buffer.size());
      EXPECT_GE(got, 0);
      if (got <= 0) return all;
      all.append(buffer.data(), static_cast<std::size_t>(got));
    }
  }

  fs::path dir_;
  std::unique_ptr<Platform> platform_ = MakeSystemPlatform();
};

TEST_F(SystemPlatformTest, AFileIsPresentADirectoryOrNothingIsNot) {
  WriteFile("E5.$$$", "");
  fs::create_directory(dir_ / "E6.$$$");
  EXPECT_TRUE(platform_->IsNonDirectory(Path("E5.$$$")));
  EXPECT_FALSE(platform_->IsNonDirectory(Path("E6.$$$")));
  EXPECT_FALSE(platform_->IsNonDirectory(Path("E1.$$$")));
  EXPECT_FALSE(platform_->IsNonDirectory(Path("gone/E5.$$$")));
  // "$" is no wildcard: a longer name does not match.
  WriteFile("E2.$$$x", "");
  EXPECT_FALSE(platform_->IsNonDirectory(Path("E2.$$$")));
}

TEST_F(SystemPlatformTest, RemoveFileDeletesFilesButNeverADirectory) {
  WriteFile("E1.$$$", "x");
  fs::create_directory(dir_ / "E2.$$$");
  platform_->RemoveFile(Path("E1.$$$"));
  platform_->RemoveFile(Path("E2.$$$"));
  platform_->RemoveFile(Path("E3.$$$"));
  EXPECT_FALSE(fs::exists(dir_ / "E1.$$$"));
  EXPECT_TRUE(fs::is_directory(dir_ / "E2.$$$"));
}

TEST_F(SystemPlatformTest, ReadsEveryByteAsItIsStored) {
  std::string bytes;
  for (int round = 0; round < 3; ++round) {
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  }
  bytes += "\r\n\n\x1a tail";
  WriteFile("E3.$$$", bytes);
  for (const std::size_t chunk : {1U, 7U, 4096U}) {
    const auto file = platform_->OpenForReading(Path("E3.$$$"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(*file, chunk), bytes);
  }
}

TEST_F(SystemPlatformTest, OpeningAMissingFileOrADirectoryFails) {
  fs::create_directory(dir_ / "E2.$$$");
  EXPECT_EQ(platform_->OpenForReading(Path("E2.$$$")), nullptr);
  EXPECT_EQ(platform_->OpenForReading(Path("E3.$$$")), nullptr);
  EXPECT_FALSE(fs::exists(dir_ / "E3.$$$"));  // never created
}

TEST_F(SystemPlatformTest, AFileStillBeingWrittenCanBeReadAsItGrows) {
  std::ofstream writer(dir_ / "E3.$$$", std::ios::binary);
  writer << "first\n" << std::flush;
  const auto file = platform_->OpenForReading(Path("E3.$$$"));
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(ReadAll(*file, 64), "first\n");
  writer << "second\n" << std::flush;
  EXPECT_EQ(ReadAll(*file, 64), "second\n");
}

TEST_F(SystemPlatformTest, TheExecutablePathNamesThisProgram) {
  const fs::path path = platform_->ExecutablePath();
  EXPECT_TRUE(path.is_absolute()) << path;
  EXPECT_TRUE(fs::is_regular_file(path)) << path;
  EXPECT_EQ(path.stem().string(), "varnel_tests");
}

}  // namespace
}  // namespace varnel
