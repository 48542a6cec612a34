// Process entry: arguments, environment and current directory play no part;
// the markers are found beside the program's own executable.
#include <memory>

#include "monitor/run.h"
#include "platform/platform.h"

int main() {
  const std::unique_ptr<varnel::Platform> platform = varnel::MakeSystemPlatform();
  return varnel::RunMonitor(*platform, platform->ExecutablePath());
}
