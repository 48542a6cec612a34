// An in-memory platform for tests: files and directories in a map, sleeps
// counted instead of slept, standard output captured.
#ifndef VARNEL_PLATFORM_FAKE_PLATFORM_H_
#define VARNEL_PLATFORM_FAKE_PLATFORM_H_

#include <cstddef>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace varnel {

class FakePlatform : public Platform {
 public:
  struct Entry {
    bool directory = false;
    std::string content;
  };

  // Scenario, set by the test.
  std::string executable_path = "/opt/varnel/varnel";
  PathSyntax syntax;
  std::map<std::string, Entry> entries;
  std::set<std::string> undeletable;  // RemoveFile leaves these in place
  std::set<std::string> unreadable;   // OpenForReading fails on these
  // Called after each sleep with its number (1, 2, ...): the sending
  // program's moves between polls.
  std::function<void(int)> on_sleep;
  // Called at the start of each read of an open file.
  std::function<void()> on_read;
  std::size_t writes_before_refusal = std::numeric_limits<std::size_t>::max();
  std::size_t read_size_limit = std::numeric_limits<std::size_t>::max();
  std::size_t read_fails_at = std::numeric_limits<std::size_t>::max();  // a byte offset

  // What happened, in order: "test <path>", "sleep", "write <bytes>",
  // "remove <path>", "open <path>", "read <n>", "close".
  std::vector<std::string> events;
  std::string output;  // the bytes of every accepted write
  int sleeps = 0;
  int open_files = 0;

  void AddFile(const std::string& path, std::string content = std::string());
  void AddDirectory(const std::string& path);
  bool Has(const std::string& path) const { return entries.count(path) != 0; }
  // The events whose text starts with `prefix`.
  std::vector<std::string> EventsStartingWith(const std::string& prefix) const;

  std::string ExecutablePath() override { return executable_path; }
  PathSyntax Syntax() override { return syntax; }
  bool IsNonDirectory(const std::string& path) override;
  void RemoveFile(const std::string& path) override;
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
  void SleepOneSecond() override;
  bool WriteStdout(std::string_view bytes) override;

 private:
  std::size_t writes_ = 0;
};

}  // namespace varnel

#endif  // VARNEL_PLATFORM_FAKE_PLATFORM_H_
