// The platform on Windows, through the narrow (ANSI code page) calls.
#include <algorithm>
#include <vector>

#include "platform/platform.h"
#include "platform/stdout-win32.h"

namespace varnel {

namespace {

class Win32InputFile : public InputFile {
 public:
  explicit Win32InputFile(HANDLE handle) : handle_(handle) {}
  ~Win32InputFile() override { CloseHandle(handle_); }
  Win32InputFile(const Win32InputFile&) = delete;
  Win32InputFile& operator=(const Win32InputFile&) = delete;

  std::ptrdiff_t Read(char* buffer, std::size_t size) override {
    DWORD got = 0;
    const auto want = static_cast<DWORD>(std::min<std::size_t>(size, 1U << 30));
    if (!ReadFile(handle_, buffer, want, &got, nullptr)) return -1;
    return static_cast<std::ptrdiff_t>(got);
  }

 private:
  HANDLE handle_;
};

// The full path of the running executable, however long: the buffer grows
// until the path fits with its terminator.
std::string OwnExecutablePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) return std::string();
    if (length < size) return std::string(buffer.data(), length);
    if (buffer.size() >= 1U << 20) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

PathSyntax DosSyntax() {
  PathSyntax syntax;
  syntax.style = PathSyntax::Style::kDos;
  if (GetSystemMetrics(SM_DBCSENABLED) != 0) {
    for (unsigned byte = 0; byte < 256; ++byte) {
      if (IsDBCSLeadByte(static_cast<BYTE>(byte))) syntax.lead_bytes.set(byte);
    }
  }
  return syntax;
}

class Win32Platform : public Platform {
 public:
  Win32Platform() : stdout_(GetStdHandle(STD_OUTPUT_HANDLE)) {}

  std::string ExecutablePath() override { return OwnExecutablePath(); }

  PathSyntax Syntax() override { return DosSyntax(); }

  bool IsNonDirectory(const std::string& path) override {
    // The path holds no wildcard, so the search finds the entry of exactly
    // that name or nothing. No file is opened. The entry's last-write time
    // is not checked against the DOS date range (1980 to 2107): a marker is
    // created at the time of sending, so the check could only ever turn a
    // file with a damaged time stamp into an absent marker.
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA(path.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  void RemoveFile(const std::string& path) override { DeleteFileA(path.c_str()); }

  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    const HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    auto file = std::make_unique<Win32InputFile>(handle);
    // Only a file on disk is read: a pipe or device could hold the run.
    if (GetFileType(handle) != FILE_TYPE_DISK) return nullptr;
    return file;
  }

  void SleepOneSecond() override { Sleep(1000); }

  bool WriteStdout(std::string_view bytes) override { return stdout_.Write(bytes); }

 private:
  Win32StdoutSink stdout_;
};

}  // namespace

bool Win32StdoutSink::Write(std::string_view bytes) {
  if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) return false;
  expanded_.clear();
  for (const char byte : bytes) {
    if (byte == '\n') expanded_ += '\r';
    expanded_ += byte;
  }
  const char* next = expanded_.data();
  std::size_t left = expanded_.size();
  while (left > 0) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(left, 1U << 30));
    DWORD wrote = 0;
    if (!WriteFile(handle_, next, chunk, &wrote, nullptr) || wrote == 0) return false;
    next += wrote;
    left -= wrote;
  }
  return true;
}

std::unique_ptr<Platform> MakeSystemPlatform() { return std::make_unique<Win32Platform>(); }

}  // namespace varnel
