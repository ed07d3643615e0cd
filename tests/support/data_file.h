// Vectors kept in tests/data, and bytes to and from hexadecimal text. One row a line; '#'
// lines and blank lines are skipped.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vl::test {

using Bytes = std::vector<unsigned char>;
using Row = std::vector<std::string>;

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

// The rows of tests/data/<file>, fields split at tabs (or, with blanks_too, at blanks on a
// line that has no tab). None when the file cannot be read: callers assert rows.
inline std::vector<Row> read_rows(const std::string &file, bool blanks_too) {
  std::ifstream in(std::string(VL_SOURCE_DIR) + "/tests/data/" + file);
  std::vector<Row> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    Row row;
    std::istringstream fields(line);
    const bool tabs = !blanks_too || line.find('\t') != std::string::npos;
    for (std::string field; tabs ? bool(std::getline(fields, field, '\t')) : bool(fields >> field);)
      row.push_back(field);
    if (!row.empty()) rows.push_back(row);
  }
  return rows;
}

// Every row, split at tabs.
inline std::vector<Row> data_rows(const std::string &file) { return read_rows(file, false); }

// The rows whose first field is kind, without it (all rows, whole, for an empty kind); split
// at tabs or blanks.
inline std::vector<Row> data_rows(const std::string &file, const std::string &kind) {
  std::vector<Row> rows;
  for (Row &row : read_rows(file, true))
    if (kind.empty()) rows.push_back(row);
    else if (row[0] == kind) rows.emplace_back(row.begin() + 1, row.end());
  return rows;
}

}  // namespace vl::test
