// What the document reader writes to standard output: records of one byte of kind ('T' a piece
// of the document's text, 'L' a link), four bytes of length (little-endian) and the bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace korvex::docreader {

inline void writeRecord(char kind, std::string_view bytes) {
  const auto length = static_cast<uint32_t>(bytes.size());
  const unsigned char header[5] = {
      static_cast<unsigned char>(kind), static_cast<unsigned char>(length),
      static_cast<unsigned char>(length >> 8), static_cast<unsigned char>(length >> 16),
      static_cast<unsigned char>(length >> 24)};
  std::fwrite(header, 1, sizeof header, stdout);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

}  // namespace korvex::docreader
