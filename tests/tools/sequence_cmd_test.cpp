#include <gtest/gtest.h>

#include <string>

#include "tools/cli_cases.h"

namespace {

std::string refused(const char *command, const std::string &message) {
  return "vertalib " + std::string(command) + ": " + message + "\ntry: vertalib " + command + " --help\n";
}

TEST(SequenceCommands, NsuStepsAndSqlReplaces) {
  const std::string unpaired = "vertalib sql: placeholders and types do not pair up\n";
  const std::string missing_b = "SELECT A FROM T WHERE B = %d AND C = \n" + unpaired;
  const std::string no_placeholder = "SELECT A FROM T\n" + unpaired;
  const std::string no_kind = refused("nsu", "expects KIND, NSU and at most one STEPS");
  const std::string kind = refused("nsu", "KIND is 2 or 3");
  const std::string above = refused("nsu", "NSU is above 65535");
  const std::string negative =
      refused("nsu", "non-digit character '-' at position 1: NSU takes digits only, 1 to 5 digits");
  const std::string steps = refused("nsu", "STEPS is a whole number from -100000 to 100000");
  const std::string extra = refused("nsu", "too many arguments (4): expects KIND, NSU and at most one STEPS");
  const std::string no_types = refused("sql", "expects STATEMENT and TYPES");
  const std::string types = refused("sql", "TYPES is not a list like %d,%s,%c");
  const std::string empty = refused("sql", "STATEMENT has 1 to 1000 characters, not 0");
  vl::test::expect_cli_cases({
      {"nsu 3 999", 0, "1\n"},
      {"nsu 3 998 3", 0, "2\n"},
      {"nsu 2 1 -2", 0, "9999\n"},
      {"nsu 2 65535", 0, "0\n"},
      {"nsu 2 9999 -100000", 0, "9999\n"},
      {"sql 'INSERT INTO T VALUES (?, ?)' %d,%s", 0, "INSERT INTO T VALUES (%d, '%s')\n"},
      {"sql -- '-?' %c", 0, "-'%c'\n"},
      {"sql 'SELECT A FROM T WHERE B = ? AND C = ?' %d", 1, missing_b.c_str()},
      {"sql 'SELECT A FROM T' %c", 1, no_placeholder.c_str()},
      {"nsu", 2, no_kind.c_str()},
      {"nsu 4 1", 2, kind.c_str()},
      {"nsu 2 65536", 2, above.c_str()},
      {"nsu 2 -1", 2, negative.c_str()},
      {"nsu 2 1 x", 2, steps.c_str()},
      {"nsu 2 1 100001", 2, steps.c_str()},
      {"nsu 2 1 1 1", 2, extra.c_str()},
      {"sql 'A = ?'", 2, no_types.c_str()},
      {"sql 'A = ?' %x", 2, types.c_str()},
      {"sql 'A = ?' d", 2, types.c_str()},
      {"sql '' %d", 2, empty.c_str()},
  });
}

}  // namespace
