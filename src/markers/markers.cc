#include "markers/markers.h"

#include "markers/directory.h"

namespace varnel {

std::string MarkerBase(std::string_view executable_path, const PathSyntax& syntax) {
  if (syntax.style == PathSyntax::Style::kDos) {
    // A drive root keeps its `\`, so the base doubles it ("C:\\E"); the
    // system's file calls read the doubled separator as one.
    return DosDirectory(executable_path, syntax.lead_bytes) + "\\E";
  }
  std::string base = PosixDirectory(executable_path);
  if (base != "/") base += '/';
  return base + 'E';
}

std::string MarkerPath(std::string_view base, int index) {
  std::string path(base);
  path += static_cast<char>('0' + index);
  path += ".$$$";
  return path;
}

bool MarkerExists(Platform& platform, std::string_view base, int index) {
  return platform.IsNonDirectory(MarkerPath(base, index));
}

void RemoveMarkers(Platform& platform, std::string_view base) {
  for (int index = 1; index <= kFinishMarker; ++index) {
    if (MarkerExists(platform, base, index)) platform.RemoveFile(MarkerPath(base, index));
  }
}

}  // namespace varnel
