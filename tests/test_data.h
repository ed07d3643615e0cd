// Bytes to and from hexadecimal text, and the rows of the tests' data files (tests/data).
#pragma once

#include <fstream>
#include <sstream>
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

using Row = std::vector<std::string>;

// The rows of tests/data/<file> whose first field is kind, without it (every row, whole, for
// an empty kind). Fields are split at tabs when the line has any, else at blanks; lines
// starting with '#' are comments.
inline std::vector<Row> data_rows(const std::string &file, const std::string &kind) {
  std::ifstream in(std::string(VL_SOURCE_DIR) + "/tests/data/" + file);
  std::vector<Row> rows;
  for (std::string line; std::getline(in, line);) {
    Row row;
    std::istringstream fields(line);
    const bool tabs = line.find('\t') != std::string::npos;
    for (std::string field; tabs ? bool(std::getline(fields, field, '\t')) : bool(fields >> field);) row.push_back(field);
    if (row.empty() || row[0].starts_with('#')) continue;
    if (kind.empty()) rows.push_back(row);
    else if (row[0] == kind) rows.emplace_back(row.begin() + 1, row.end());
  }
  return rows;
}

}  // namespace vl::test
