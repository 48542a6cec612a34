#include "markers/directory.h"

#include <cstddef>

namespace varnel {

std::string DosDirectory(std::string_view path, const std::bitset<256>& lead_bytes) {
  // Walk forwards, because only a forward walk knows where a double-byte
  // character starts; its second byte may look like `\` and is no delimiter.
  bool found = false;
  std::size_t delimiter = 0;
  bool delimiter_follows_separator = false;
  bool previous_is_separator = false;  // the last character was a lone `\` or `:`
  for (std::size_t i = 0; i < path.size();) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (lead_bytes[byte] && i + 1 < path.size()) {
      previous_is_separator = false;
      i += 2;
      continue;
    }
    const bool is_separator = byte == '\\' || byte == ':';
    if (is_separator) {
      found = true;
      delimiter = i;
      delimiter_follows_separator = previous_is_separator;
    }
    previous_is_separator = is_separator;
    ++i;
  }
  if (!found) return std::string();
  const bool keep_delimiter =
      path[delimiter] == ':' || delimiter == 0 || delimiter_follows_separator;
  return std::string(path.substr(0, keep_delimiter ? delimiter + 1 : delimiter));
}

std::string PosixDirectory(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return std::string();
  if (slash == 0) return "/";
  return std::string(path.substr(0, slash));
}

}  // namespace varnel
