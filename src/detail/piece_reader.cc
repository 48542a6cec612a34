#include "detail/piece_reader.h"

namespace varnel {

namespace {
constexpr char kCarriageReturn = '\r';
constexpr char kSubstitute = '\x1a';
}  // namespace

std::size_t PieceReader::ReadPiece(char* out) {
  std::size_t length = 0;
  while (length < kMaxPiece && !at_end_) {
    if (next_ == filled_) {
      const std::ptrdiff_t got = file_.Read(buffer_.data(), buffer_.size());
      if (got <= 0) {
        at_end_ = true;
        break;
      }
      next_ = 0;
      filled_ = static_cast<std::size_t>(got);
    }
    const char byte = buffer_[next_++];
    if (byte == kCarriageReturn) continue;
    if (byte == kSubstitute) {
      at_end_ = true;
      break;
    }
    out[length++] = byte;
    if (byte == '\n') break;
  }
  return length;
}

}  // namespace varnel
