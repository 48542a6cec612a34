// Standard output of a Windows console program.
#ifndef VARNEL_PLATFORM_STDOUT_WIN32_H_
#define VARNEL_PLATFORM_STDOUT_WIN32_H_

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>

namespace varnel {

/// Writes to a handle the way a text-mode stream does: every line feed goes
/// out as carriage return and line feed, every other byte unchanged, all of
/// one text in one WriteFile.
class Win32StdoutSink {
 public:
  explicit Win32StdoutSink(HANDLE handle) : handle_(handle) {}

  /// False when the handle is missing or the system refused the write.
  bool Write(std::string_view bytes);

 private:
  HANDLE handle_;
  std::string expanded_;  // kept between writes to spare an allocation each
};

}  // namespace varnel

#endif  // VARNEL_PLATFORM_STDOUT_WIN32_H_
