#include "monitor/console.h"

namespace varnel {

void ConsoleStream::Write(std::string_view text) {
  if (failed_ || text.empty()) return;
  if (!platform_.WriteStdout(text)) failed_ = true;
}

}  // namespace varnel
