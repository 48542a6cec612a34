// Feeds arbitrary detail-file bytes through the real echo, with the file's
// bytes arriving in reads of arbitrary sizes and possibly a read that fails,
// and compares the output with a plain model of the text rules.
//
// Input layout: byte 0 holds flags (bit 0: a read fails; bits 1-4: the
// number of read sizes), then 2 bytes of the failing offset if any, then one
// byte per read size (size = byte + 1, used in turn), then the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "detail/echo.h"
#include "monitor/console.h"
#include "platform/platform.h"

namespace {

using varnel::InputFile;

struct Scenario {
  std::vector<std::size_t> read_sizes;
  std::size_t fails_at = std::numeric_limits<std::size_t>::max();
  std::string file;
};

bool Decode(const std::uint8_t* data, std::size_t size, Scenario& scenario) {
  if (size < 1) return false;
  const unsigned flags = data[0];
  std::size_t at = 1;
  if (flags & 1U) {
    if (size < at + 2) return false;
    scenario.fails_at = static_cast<std::size_t>(data[at]) << 8U | data[at + 1];
    at += 2;
  }
  const std::size_t sizes = (flags >> 1U) & 15U;
  if (size < at + sizes) return false;
  for (std::size_t i = 0; i < sizes; ++i) scenario.read_sizes.push_back(data[at + i] + 1U);
  at += sizes;
  scenario.file.assign(reinterpret_cast<const char*>(data + at), size - at);
  return true;
}

class ChunkedFile : public InputFile {
 public:
  ChunkedFile(const Scenario& scenario, bool& open) : scenario_(scenario), open_(open) {
    open_ = true;
  }
  ~ChunkedFile() override { open_ = false; }
  ChunkedFile(const ChunkedFile&) = delete;
  ChunkedFile& operator=(const ChunkedFile&) = delete;

  std::ptrdiff_t Read(char* buffer, std::size_t size) override {
    if (failed_) std::abort();  // a failed read is never repeated
    if (offset_ >= scenario_.fails_at) {
      failed_ = true;
      return -1;
    }
    std::size_t n = std::min(size, scenario_.file.size() - offset_);
    if (!scenario_.read_sizes.empty()) {
      n = std::min(n, scenario_.read_sizes[reads_++ % scenario_.read_sizes.size()]);
    }
    n = std::min(n, scenario_.fails_at - offset_);
    std::memcpy(buffer, scenario_.file.data() + offset_, n);
    offset_ += n;
    return static_cast<std::ptrdiff_t>(n);
  }

 private:
  const Scenario& scenario_;
  bool& open_;
  std::size_t offset_ = 0;
  std::size_t reads_ = 0;
  bool failed_ = false;
};

class FuzzPlatform : public varnel::Platform {
 public:
  explicit FuzzPlatform(const Scenario& scenario) : scenario_(scenario) {}
  std::string ExecutablePath() override { return "/x/varnel"; }
  varnel::PathSyntax Syntax() override { return {}; }
  bool IsNonDirectory(const std::string&) override { return true; }
  void RemoveFile(const std::string&) override {}
  std::unique_ptr<InputFile> OpenForReading(const std::string&) override {
    return std::make_unique<ChunkedFile>(scenario_, open);
  }
  void SleepOneSecond() override {}
  bool WriteStdout(std::string_view bytes) override {
    // Every write is one tagged, non-empty piece, or the final line end.
    if (bytes != "\n" && (bytes.rfind("[ERROR#] ", 0) != 0 || bytes.size() == 9)) std::abort();
    output.append(bytes);
    return true;
  }

  std::string output;
  bool open = false;

 private:
  const Scenario& scenario_;
};

// The text rules, written as plainly as possible.
std::string Model(const Scenario& scenario) {
  std::string text = scenario.file.substr(0, std::min(scenario.fails_at, scenario.file.size()));
  text = text.substr(0, text.find('\x1a'));
  std::string no_cr;
  for (const char c : text) {
    if (c != '\r') no_cr += c;
  }
  std::string out;
  std::size_t at = 0;
  while (at < no_cr.size()) {
    std::size_t end = std::min(no_cr.size(), at + 254);
    const std::size_t lf = no_cr.find('\n', at);
    if (lf != std::string::npos && lf < end) end = lf + 1;
    std::string piece = no_cr.substr(at, end - at);
    piece = piece.substr(0, piece.find('\0'));
    if (!piece.empty()) out += "[ERROR#] " + piece;
    at = end;
  }
  return out + "\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Scenario scenario;
  if (!Decode(data, size, scenario)) return 0;
  FuzzPlatform platform(scenario);
  varnel::ConsoleStream console(platform);
  varnel::EchoDetailFile(platform, console, "/x/E3.$$$");
  if (platform.open) std::abort();
  if (platform.output != Model(scenario)) std::abort();
  return 0;
}
