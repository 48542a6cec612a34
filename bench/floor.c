/* The floor for echoing a detail file: read the file in large blocks and make
 * one write per tagged piece (up to 254 bytes, or through a line feed), as
 * varnel must to have each piece out before the next read. No CR, SUB or NUL
 * rules: this is the least any such echo can cost. Reads standard input. */
#include <string.h>
#include <unistd.h>

static void put(const char* bytes, size_t size) {
  while (size > 0) {
    ssize_t wrote = write(1, bytes, size);
    if (wrote <= 0) return;
    bytes += wrote;
    size -= (size_t)wrote;
  }
}

int main(void) {
  static char in[65536];
  char piece[9 + 254];
  size_t length = 0;
  ssize_t got;
  memcpy(piece, "[ERROR#] ", 9);
  while ((got = read(0, in, sizeof in)) > 0) {
    for (ssize_t i = 0; i < got; ++i) {
      piece[9 + length++] = in[i];
      if (in[i] == '\n' || length == 254) {
        put(piece, 9 + length);
        length = 0;
      }
    }
  }
  if (length > 0) put(piece, 9 + length);
  put("\n", 1);
  return 0;
}
