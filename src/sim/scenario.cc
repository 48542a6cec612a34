#include "sim/scenario.h"

#include <cstdlib>
#include <sstream>

namespace varnel::sim {

namespace {

constexpr double kLongestDelay = 24 * 60 * 60;

bool ParseSeconds(const std::string& text, double& seconds) {
  if (text.empty()) return false;
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  in >> seconds;
  return in && in.peek() == std::char_traits<char>::eof() && seconds >= 0 &&
         seconds <= kLongestDelay;
}

// "2", "2,3" or "1,5,6": marker indexes from `low` to `high`.
bool ParseMarkers(const std::string& text, int low, int high, std::vector<int>& markers) {
  std::istringstream in(text);
  std::string item;
  bool any = false;
  while (std::getline(in, item, ',')) {
    if (item.size() != 1 || item[0] < '0' + low || item[0] > '0' + high) return false;
    markers.push_back(item[0] - '0');
    any = true;
  }
  return any;
}

}  // namespace

std::string MarkerName(int index) { return "E" + std::to_string(index) + ".$$$"; }

std::string SampleDetail(int marker) {
  if (marker == 2) {
    return "Cannot connect to SMTP server mail.example.net:25\r\n"
           "Connection timed out after 30 seconds (3 attempts)\r\n";
  }
  return "554 5.7.1 Message rejected: recipient +49 170 0000000 unknown\r\n"
         "Gateway reply: SMS quota exceeded for this account\r\n";
}

std::string Usage() {
  return R"(Usage: varnel-sim [OPTION]...
Plays the SMS-sending program's side of Varnel's marker protocol: creates
E5.$$$ (sending began), then the outcome marker, if any, with its whole
text, then E6.$$$ (sending ended), in the directory where varnel runs.
It never deletes a marker; that is the monitor's job.

Where:
  -d, --dir DIR            create the markers in DIR (default: the current
                           directory)
      --beside PROGRAM     create them beside PROGRAM (the varnel executable)
Timing (seconds, fractions allowed):
      --start-delay S      wait S before the start marker (default 0; over 20
                           and the monitor times out)
      --send-time S        wait S between start and finish (default 2)
Outcome:
  -o, --outcome N[,N...]   outcome markers to create before the finish:
                           1 dial-up failed, 2 SMTP connection failed,
                           3 sending failed, 4 name not found;
                           default none: the message was sent
      --detail LINE        a line of text for markers 2 and 3 (repeatable)
      --detail-file FILE   the bytes of FILE as text of markers 2 and 3
                           (default: a realistic sample)
Rehearsals:
      --no-start           never create the start marker
      --no-finish          never create the finish marker
      --stale N[,N...]     first, at once, leave markers 1 to 6 as an earlier,
                           interrupted run would
Other:
  -n, --dry-run            print the steps, create nothing
  -v, --verbose            tell each step on standard error
  -h, --help               show this help

Exit status: 0 once the scenario has been played, 1 if a marker could not be
created, 2 for bad arguments.
)";
}

Parsed ParseArguments(const std::vector<std::string>& args) {
  Parsed parsed;
  Options& options = parsed.options;
  auto fail = [&](const std::string& message) {
    parsed.error = message;
    return parsed;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool has_value = false;
    if (name.rfind("--", 0) == 0 && name.find('=') != std::string::npos) {
      value = name.substr(name.find('=') + 1);
      name = name.substr(0, name.find('='));
      has_value = true;
    }
    auto take_value = [&]() -> bool {
      if (has_value) return true;
      if (i + 1 >= args.size()) return false;
      value = args[++i];
      return true;
    };
    // A flag sets its option; "--flag=value" is an error.
    bool flag_ok = true;
    auto flag = [&](bool& target, bool to) {
      target = to;
      flag_ok = !has_value;
    };
    if (name == "-h" || name == "--help") {
      flag(options.help, true);
    } else if (name == "-n" || name == "--dry-run") {
      flag(options.dry_run, true);
    } else if (name == "-v" || name == "--verbose") {
      flag(options.verbose, true);
    } else if (name == "--no-start") {
      flag(options.start, false);
    } else if (name == "--no-finish") {
      flag(options.finish, false);
    } else if (name == "-d" || name == "--dir") {
      if (!take_value() || value.empty()) return fail(name + " needs a directory");
      options.dir = value;
    } else if (name == "--beside") {
      if (!take_value() || value.empty()) return fail(name + " needs the path of varnel");
      const std::size_t cut = value.find_last_of("/\\");
      options.dir = cut == std::string::npos ? "."
                    : cut == 0               ? value.substr(0, 1)
                                             : value.substr(0, cut);
    } else if (name == "--start-delay" || name == "--send-time") {
      double seconds = 0;
      if (!take_value() || !ParseSeconds(value, seconds)) {
        return fail(name + " needs a number of seconds from 0 to 86400, not '" + value + "'");
      }
      (name == "--start-delay" ? options.start_delay : options.send_time) = seconds;
    } else if (name == "-o" || name == "--outcome") {
      if (!take_value() || !ParseMarkers(value, 0, 4, options.outcomes)) {
        return fail(name + " needs outcome markers from 1 to 4 (0 for success), not '" + value +
                    "'");
      }
    } else if (name == "--stale") {
      if (!take_value() || !ParseMarkers(value, 1, 6, options.stale)) {
        return fail(name + " needs markers from 1 to 6, not '" + value + "'");
      }
    } else if (name == "--detail") {
      if (!take_value()) return fail(name + " needs a line of text");
      options.detail_lines.push_back(value);
    } else if (name == "--detail-file") {
      if (!take_value() || value.empty()) return fail(name + " needs a file");
      options.detail_file = value;
    } else {
      return fail("unknown argument '" + args[i] + "'");
    }
    if (!flag_ok) return fail(name + " takes no value");
  }
  // "0" asks for success: no outcome marker.
  std::vector<int> outcomes;
  for (const int outcome : options.outcomes) {
    if (outcome != 0) outcomes.push_back(outcome);
  }
  options.outcomes = outcomes;
  if (!options.detail_lines.empty() && !options.detail_file.empty()) {
    return fail("give --detail or --detail-file, not both");
  }
  return parsed;
}

std::vector<Step> Plan(const Options& options, const std::optional<std::string>& detail) {
  std::vector<Step> steps;
  auto create = [&](int marker) {
    std::string content;
    if (marker == 2 || marker == 3) content = detail ? *detail : SampleDetail(marker);
    steps.push_back(Step{Step::Kind::kCreate, 0, marker, content});
  };
  auto wait = [&](double seconds) {
    if (seconds > 0) steps.push_back(Step{Step::Kind::kWait, seconds, 0, std::string()});
  };
  for (const int marker : options.stale) create(marker);
  if (!options.start) return steps;
  wait(options.start_delay);
  create(5);
  wait(options.send_time);
  for (const int marker : options.outcomes) create(marker);
  if (options.finish) create(6);
  return steps;
}

}  // namespace varnel::sim
