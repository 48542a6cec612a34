#include "detail/echo.h"

#include <cstring>
#include <memory>

#include "detail/piece_reader.h"

namespace varnel {

void EchoDetailFile(Platform& platform, ConsoleStream& console, const std::string& path) {
  std::unique_ptr<InputFile> file = platform.OpenForReading(path);
  if (!file) return;
  {
    PieceReader reader(*file);
    // The tag and its piece go out as one write.
    char line[kErrorTag.size() + PieceReader::kMaxPiece];
    std::memcpy(line, kErrorTag.data(), kErrorTag.size());
    char* const piece = line + kErrorTag.size();
    while (!reader.at_end()) {
      std::size_t length = reader.ReadPiece(piece);
      if (const void* nul = std::memchr(piece, '\0', length)) {
        length = static_cast<std::size_t>(static_cast<const char*>(nul) - piece);
      }
      if (length > 0) console.Write(std::string_view(line, kErrorTag.size() + length));
    }
  }
  file.reset();  // closed before the line end, as the caller may delete it next
  console.LineEnd();
}

}  // namespace varnel
