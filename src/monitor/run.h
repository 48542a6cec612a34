// One run of the monitor, from the banner to the exit code.
#ifndef VARNEL_MONITOR_RUN_H_
#define VARNEL_MONITOR_RUN_H_

#include <string_view>

#include "platform/platform.h"

namespace varnel {

/// Outcome codes, the process's exit codes. 1 to 4 are the index of the
/// first outcome marker present.
constexpr int kOutcomeSent = 0;
constexpr int kOutcomeNeverStarted = 10;

/// The number of one-second polls for the start marker before giving up.
constexpr int kStartPolls = 20;

/// Writes the banner, waits up to kStartPolls seconds for the start marker
/// and then, without limit, for the finish marker, reports the outcome
/// (echoing the detail file of outcomes 2 and 3), deletes every marker
/// present and returns the outcome code. Markers are looked for in the
/// directory of `executable_path`. Reports no failure of its own.
int RunMonitor(Platform& platform, std::string_view executable_path);

}  // namespace varnel

#endif  // VARNEL_MONITOR_RUN_H_
