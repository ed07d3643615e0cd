// Vectors kept in tests/data: one row a line, fields split at tabs, '#' lines and blank
// lines skipped.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vl::test {

// The rows of tests/data/<name>; none when the file cannot be read (callers assert rows).
inline std::vector<std::vector<std::string>> data_rows(const std::string &name) {
  std::ifstream in(std::string(VL_SOURCE_DIR) + "/tests/data/" + name);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

}  // namespace vl::test
