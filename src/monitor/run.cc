#include "monitor/run.h"

#include <string>

#include "detail/echo.h"
#include "markers/markers.h"
#include "monitor/console.h"

namespace varnel {

namespace {

constexpr std::string_view kBanner =
    "\nVarnel v.1.2 SMS sending status monitor, (c) 2026 the Varnel developers\n\n";
constexpr std::string_view kWaitingForStart = "[STATUS] Waiting for SMS start";
constexpr std::string_view kSending = "[STATUS] Message sending";
constexpr std::string_view kTimeout = "[ERROR#] Timeout. SMS was't start";
constexpr std::string_view kProgressDot = ".";

// The reports of outcomes 0 to 4, each opening with the line feed that ends
// the line of progress dots.
constexpr std::string_view kOutcomeMessages[] = {
    "\n[STATUS] Message sended successful",
    "\n[ERROR#] Dial-up connection failed",
    "\n[STATUS] Connecting to SMTP-server fail",
    "\n[STATUS] Message sending fail",
    "\n[ERROR#] Name not found",
};

bool HasDetailFile(int outcome) { return outcome == 2 || outcome == 3; }

// One poll of a wait: true when the marker is present; otherwise a progress
// dot goes out, then the one-second pause.
bool Poll(Platform& platform, ConsoleStream& console, std::string_view base, int index) {
  if (MarkerExists(platform, base, index)) return true;
  console.Write(kProgressDot);
  platform.SleepOneSecond();
  return false;
}

}  // namespace

int RunMonitor(Platform& platform, std::string_view executable_path) {
  ConsoleStream console(platform);
  console.Write(kBanner);
  int outcome = kOutcomeSent;
  const std::string base = MarkerBase(executable_path, platform.Syntax());

  console.Write(kWaitingForStart);
  bool started = false;
  for (int poll = 0; poll < kStartPolls && !started; ++poll) {
    started = Poll(platform, console, base, kStartMarker);
  }
  console.LineEnd();

  if (started) {
    console.Write(kSending);
    while (!Poll(platform, console, base, kFinishMarker)) {
    }
    // The outcome markers are looked at once; the lowest one present wins.
    for (int index = kFirstOutcomeMarker; index <= kLastOutcomeMarker; ++index) {
      if (MarkerExists(platform, base, index)) {
        outcome = index;
        break;
      }
    }
    console.Write(kOutcomeMessages[outcome]);
    console.LineEnd();
    if (HasDetailFile(outcome)) EchoDetailFile(platform, console, MarkerPath(base, outcome));
  } else {
    outcome = kOutcomeNeverStarted;
    console.Write(kTimeout);
    console.LineEnd();
  }

  RemoveMarkers(platform, base);
  return outcome;
}

}  // namespace varnel
