// The directory rules never crash, and what they return is a prefix of the
// path. Input: 32 bytes of lead-byte table, then the path.
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "markers/directory.h"
#include "markers/markers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 32) return 0;
  std::bitset<256> lead;
  for (std::size_t bit = 0; bit < 256; ++bit) lead[bit] = ((data[bit / 8] >> (bit % 8)) & 1U) != 0;
  const std::string path(reinterpret_cast<const char*>(data + 32), size - 32);

  for (const std::string& directory :
       {varnel::DosDirectory(path, lead), varnel::PosixDirectory(path)}) {
    if (path.compare(0, directory.size(), directory) != 0) std::abort();
  }
  varnel::PathSyntax dos;
  dos.style = varnel::PathSyntax::Style::kDos;
  dos.lead_bytes = lead;
  const std::string base = varnel::MarkerBase(path, dos);
  if (base.size() < 2 || base.compare(base.size() - 2, 2, "\\E") != 0) std::abort();
  return 0;
}
