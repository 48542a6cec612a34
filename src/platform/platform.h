// The operating-system services the monitor uses, behind one interface so
// that the monitor's logic can be driven by an in-memory fake in tests.
#ifndef VARNEL_PLATFORM_PLATFORM_H_
#define VARNEL_PLATFORM_PLATFORM_H_

#include <bitset>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace varnel {

/// How the platform spells paths: which rule cuts the directory off a file
/// path, and which bytes of the narrow code page begin a double-byte
/// character (empty when the system has no double-byte support).
struct PathSyntax {
  enum class Style { kPosix, kDos };
  Style style = Style::kPosix;
  std::bitset<256> lead_bytes;
};

/// A file opened for reading. Closed when destroyed.
class InputFile {
 public:
  virtual ~InputFile() = default;

  /// Reads up to `size` bytes into `buffer`. Returns the number of bytes
  /// read, 0 at the end of the file, or -1 when the read failed.
  virtual std::ptrdiff_t Read(char* buffer, std::size_t size) = 0;
};

/// The services of the operating system, and nothing more.
class Platform {
 public:
  virtual ~Platform() = default;

  /// The full path of the running program's own executable file, as the
  /// system reports it (not argv[0], not relative to the current directory).
  /// Empty if the system cannot tell.
  virtual std::string ExecutablePath() = 0;

  /// The path syntax that MarkerBase applies to ExecutablePath().
  virtual PathSyntax Syntax() = 0;

  /// True when `path` names an existing entry that is not a directory.
  /// Opens nothing; any failure of the test reads as false.
  virtual bool IsNonDirectory(const std::string& path) = 0;

  /// Deletes the file `path`. Never deletes a directory; failures are ignored.
  virtual void RemoveFile(const std::string& path) = 0;

  /// Opens an existing regular file for reading, sharing it with writers.
  /// Never creates or truncates. Returns null if the file cannot be opened.
  virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path) = 0;

  /// Pauses for one second (never less).
  virtual void SleepOneSecond() = 0;

  /// Hands `bytes` to standard output before returning, as one write of the
  /// platform (line feeds expanded where the platform writes text mode).
  /// Returns false if the system refused the write; the caller then stops
  /// writing.
  virtual bool WriteStdout(std::string_view bytes) = 0;
};

/// The platform this program was built for.
std::unique_ptr<Platform> MakeSystemPlatform();

}  // namespace varnel

#endif  // VARNEL_PLATFORM_PLATFORM_H_
