// Echo of a detail file (outcome markers 2 and 3) beneath the outcome report.
#ifndef VARNEL_DETAIL_ECHO_H_
#define VARNEL_DETAIL_ECHO_H_

#include <string>
#include <string_view>

#include "monitor/console.h"
#include "platform/platform.h"

namespace varnel {

/// The tag written before every echoed piece and in the error reports.
constexpr std::string_view kErrorTag = "[ERROR#] ";

/// Writes the text of the file at `path` to `console`, each piece (see
/// PieceReader) tagged with kErrorTag, then a line end. A piece is cut at
/// its first NUL byte, and a piece left empty writes nothing, not even the
/// tag. Each piece is written before the next is read. A file that cannot
/// be opened writes nothing at all. The file is closed on return and left
/// unchanged.
void EchoDetailFile(Platform& platform, ConsoleStream& console, const std::string& path);

}  // namespace varnel

#endif  // VARNEL_DETAIL_ECHO_H_
