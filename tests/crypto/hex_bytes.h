// Bytes to and from hexadecimal text, for the tests of the cipher and digest families.
#pragma once

#include <string>
#include <vector>

namespace vl::test {

using Bytes = std::vector<unsigned char>;

inline Bytes from_hex(const std::string &hex) {
  Bytes out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

// Lower-case digits, as the published vectors are written.
inline std::string to_hex(const unsigned char *bytes, size_t count) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < count; ++i) {
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 0x0F];
  }
  return out;
}

inline std::string to_hex(const Bytes &bytes) { return to_hex(bytes.data(), bytes.size()); }

}  // namespace vl::test
