#include "platform/fake_platform.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace varnel {

namespace {

// Reads the entry's content as it stands at each read, so a test can grow
// the file while it is being read.
class FakeInputFile : public InputFile {
 public:
  FakeInputFile(FakePlatform& platform, std::string path)
      : platform_(platform), path_(std::move(path)) {
    ++platform_.open_files;
  }
  ~FakeInputFile() override {
    --platform_.open_files;
    platform_.events.push_back("close");
  }
  FakeInputFile(const FakeInputFile&) = delete;
  FakeInputFile& operator=(const FakeInputFile&) = delete;

  std::ptrdiff_t Read(char* buffer, std::size_t size) override {
    if (platform_.on_read) platform_.on_read();
    const auto entry = platform_.entries.find(path_);
    const std::string_view content =
        entry == platform_.entries.end() ? std::string_view() : entry->second.content;
    if (offset_ >= platform_.read_fails_at) {
      platform_.events.push_back("read failed");
      return -1;
    }
    std::size_t n = std::min({size, platform_.read_size_limit,
                              content.size() - std::min(offset_, content.size()),
                              platform_.read_fails_at - offset_});
    if (n > 0) std::memcpy(buffer, content.data() + offset_, n);
    offset_ += n;
    platform_.events.push_back("read " + std::to_string(n));
    return static_cast<std::ptrdiff_t>(n);
  }

 private:
  FakePlatform& platform_;
  std::string path_;
  std::size_t offset_ = 0;
};

}  // namespace

void FakePlatform::AddFile(const std::string& path, std::string content) {
  entries[path] = Entry{false, std::move(content)};
}

void FakePlatform::AddDirectory(const std::string& path) { entries[path] = Entry{true, ""}; }

std::vector<std::string> FakePlatform::EventsStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& event : events) {
    if (event.compare(0, prefix.size(), prefix) == 0) found.push_back(event);
  }
  return found;
}

bool FakePlatform::IsNonDirectory(const std::string& path) {
  events.push_back("test " + path);
  const auto entry = entries.find(path);
  return entry != entries.end() && !entry->second.directory;
}

void FakePlatform::RemoveFile(const std::string& path) {
  events.push_back("remove " + path);
  const auto entry = entries.find(path);
  if (entry == entries.end() || entry->second.directory || undeletable.count(path)) return;
  entries.erase(entry);
}

std::unique_ptr<InputFile> FakePlatform::OpenForReading(const std::string& path) {
  events.push_back("open " + path);
  const auto entry = entries.find(path);
  if (entry == entries.end() || entry->second.directory || unreadable.count(path)) {
    return nullptr;
  }
  return std::make_unique<FakeInputFile>(*this, path);
}

void FakePlatform::SleepOneSecond() {
  events.push_back("sleep");
  ++sleeps;
  if (on_sleep) on_sleep(sleeps);
}

bool FakePlatform::WriteStdout(std::string_view bytes) {
  if (writes_++ >= writes_before_refusal) {
    events.push_back("write refused");
    return false;
  }
  events.push_back("write " + std::string(bytes));
  output.append(bytes);
  return true;
}

}  // namespace varnel
