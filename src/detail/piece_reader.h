// Cuts the text of a detail file into pieces, the unit in which it is echoed.
#ifndef VARNEL_DETAIL_PIECE_READER_H_
#define VARNEL_DETAIL_PIECE_READER_H_

#include <cstddef>
#include <vector>

#include "platform/platform.h"

namespace varnel {

/// Reads a detail file's text piece by piece through a bounded buffer, so
/// memory stays the same however long the file and its lines are.
///
/// A piece is the text up to and including the next line feed, but never
/// more than kMaxPiece bytes. Carriage returns are dropped wherever they
/// stand and do not count. A SUB byte (0x1A) ends the text. A failed read
/// also ends it, after the bytes already taken. Once the end is reached the
/// file is not read again, even if it grows.
class PieceReader {
 public:
  static constexpr std::size_t kMaxPiece = 254;

  explicit PieceReader(InputFile& file, std::size_t read_size = std::size_t{64} * 1024)
      : file_(file), buffer_(read_size) {}

  /// True once a read found no more text; no piece follows.
  bool at_end() const { return at_end_; }

  /// Stores the next piece in `out` (room for kMaxPiece bytes) and returns
  /// its length, 0 when no text was left.
  std::size_t ReadPiece(char* out);

 private:
  InputFile& file_;
  std::vector<char> buffer_;
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
  bool at_end_ = false;
};

}  // namespace varnel

#endif  // VARNEL_DETAIL_PIECE_READER_H_
