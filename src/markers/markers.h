// The marker files through which the sending program reports its progress:
// E1.$$$ to E6.$$$ in the directory of the monitor's own executable.
#ifndef VARNEL_MARKERS_MARKERS_H_
#define VARNEL_MARKERS_MARKERS_H_

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace varnel {

/// Marker indexes. 1 to 4 report a failure of sending (the first present
/// wins); 5 says sending has begun, 6 that it has ended.
constexpr int kFirstOutcomeMarker = 1;
constexpr int kLastOutcomeMarker = 4;
constexpr int kStartMarker = 5;
constexpr int kFinishMarker = 6;

/// The prefix of every marker path for an executable: its directory, the
/// platform's separator and "E". Touches no file.
std::string MarkerBase(std::string_view executable_path, const PathSyntax& syntax);

/// The path of marker `index` (1 to 6): the base, the digit, ".$$$".
std::string MarkerPath(std::string_view base, int index);

/// True when marker `index` is present: an entry of its name exists and is
/// not a directory. A failed test counts as absent.
bool MarkerExists(Platform& platform, std::string_view base, int index);

/// Deletes every marker that is present, 1 to 6 in order, ignoring failures.
/// Leaves alone an entry that is not present by MarkerExists (a directory).
void RemoveMarkers(Platform& platform, std::string_view base);

}  // namespace varnel

#endif  // VARNEL_MARKERS_MARKERS_H_
