// The console stream: the one text output of the run.
#ifndef VARNEL_MONITOR_CONSOLE_H_
#define VARNEL_MONITOR_CONSOLE_H_

#include <string_view>

#include "platform/platform.h"

namespace varnel {

/// Writes texts to standard output, each handed to the system before Write
/// returns, so that a progress dot is visible before the sleep after it.
/// Once the system refuses a write, the stream is failed and silently drops
/// every later write: the run goes on to its exit code regardless.
class ConsoleStream {
 public:
  explicit ConsoleStream(Platform& platform) : platform_(platform) {}

  /// Writes `text` byte for byte. An empty text writes nothing.
  void Write(std::string_view text);

  /// Ends the current line: a line feed, then a flush. Nothing is ever held
  /// back, so the flush has nothing left to do.
  void LineEnd() { Write("\n"); }

  bool failed() const { return failed_; }

 private:
  Platform& platform_;
  bool failed_ = false;
};

}  // namespace varnel

#endif  // VARNEL_MONITOR_CONSOLE_H_
