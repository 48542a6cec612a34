// Cutting the directory off the executable's path, by the rules of the two
// path syntaxes the monitor runs under.
#ifndef VARNEL_MARKERS_DIRECTORY_H_
#define VARNEL_MARKERS_DIRECTORY_H_

#include <bitset>
#include <string>
#include <string_view>

namespace varnel {

/// The directory of a DOS-style path: everything before the last `\` or `:`
/// that is not the second byte of a double-byte character (a byte in
/// `lead_bytes` starts one). The delimiter is kept when it is `:`, when it
/// is the path's first byte or when it follows a `:` or `\` of its own, so
/// that a drive root stays `C:\`. Empty when the path has no delimiter.
std::string DosDirectory(std::string_view path, const std::bitset<256>& lead_bytes);

/// The directory of a POSIX path: everything before the last `/`, or "/"
/// when that is the only one and leads the path. Empty without any `/`.
std::string PosixDirectory(std::string_view path);

}  // namespace varnel

#endif  // VARNEL_MARKERS_DIRECTORY_H_
