#include "detail/piece_reader.h"

#include <algorithm>
#include <cstring>

namespace varnel {

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kSubstitute = '\x1a';

// The length of the run of ordinary bytes at the start of `bytes`: those
// before the first line feed, carriage return or SUB. memchr keeps this fast
// in every build, which matters for files of gigabytes.
std::size_t OrdinaryRun(const char* bytes, std::size_t size) {
  for (const char special : {'\n', kCarriageReturn, kSubstitute}) {
    if (const void* found = std::memchr(bytes, special, size)) {
      size = static_cast<std::size_t>(static_cast<const char*>(found) - bytes);
    }
  }
  return size;
}

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
    // Copy the run of ordinary bytes, up to the room left in the piece.
    const char* const start = buffer_.data() + next_;
    const std::size_t span = std::min(filled_ - next_, kMaxPiece - length);
    const std::size_t run = OrdinaryRun(start, span);
    std::memcpy(out + length, start, run);
    length += run;
    next_ += run;
    if (run == span) continue;

    const char special = buffer_[next_++];
    if (special == kCarriageReturn) continue;  // dropped, and it does not count
    if (special == kSubstitute) {              // the end of the text
      at_end_ = true;
      break;
    }
    out[length++] = '\n';
    break;
  }
  return length;
}

}  // namespace varnel
