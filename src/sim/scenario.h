// varnel-sim: a stand-in for the SMS-sending program. It plays the sender's
// side of the marker protocol, so the monitor can be tried and rehearsed
// without the real sender.
#ifndef VARNEL_SIM_SCENARIO_H_
#define VARNEL_SIM_SCENARIO_H_

#include <optional>
#include <string>
#include <vector>

namespace varnel::sim {

/// What to play, as given on the command line.
struct Options {
  std::string dir = ".";                  // where the markers go
  double start_delay = 0;                 // seconds before the start marker
  double send_time = 2;                   // seconds from the start marker to the outcome
  std::vector<int> outcomes;              // outcome markers (1 to 4); none: success
  std::vector<std::string> detail_lines;  // text of markers 2 and 3
  std::string detail_file;                // or the bytes of this file
  std::vector<int> stale;                 // markers left from an earlier run, made at once
  bool start = true;                      // false: the sender never starts
  bool finish = true;                     // false: the sender never finishes
  bool dry_run = false;
  bool verbose = false;
  bool help = false;
};

/// The outcome of reading the command line: options, or an error message.
struct Parsed {
  Options options;
  std::string error;  // empty when the arguments were good
};

/// Reads the arguments (without the program name).
Parsed ParseArguments(const std::vector<std::string>& args);

/// The --help text.
std::string Usage();

/// One step of a scenario: a pause, or the creation of a marker file with
/// its whole content.
struct Step {
  enum class Kind { kWait, kCreate };
  Kind kind;
  double seconds = 0;
  int marker = 0;
  std::string content;
};

/// The steps of a scenario, in the order the monitor relies on: stale
/// markers at once; the start marker after the start delay; after the
/// sending time the outcome markers, each with its whole text; then the
/// finish marker. `detail` is the text of markers 2 and 3; without it each
/// gets its SampleDetail.
std::vector<Step> Plan(const Options& options, const std::optional<std::string>& detail);

/// Realistic detail text for outcome marker 2 or 3, as a sender writes it.
std::string SampleDetail(int marker);

/// The file name of marker `index`: "E1.$$$" to "E6.$$$".
std::string MarkerName(int index);

}  // namespace varnel::sim

#endif  // VARNEL_SIM_SCENARIO_H_
