#include <gtest/gtest.h>

#include <string>

#include "tools/cli_cases.h"

using vl::test::refused;

TEST(SequenceCommands, NsuStepsAndSqlReplaces) {
  const std::string unpaired = "vertalib sql: placeholders and types do not pair up\n";
  const std::string steps = "STEPS is a whole number from -100000 to 100000";
  const std::string types = "TYPES is not a list like %d,%s,%c";
  vl::test::expect_cli_cases({
      {"nsu 3 999", 0, "1\n"},
      {"nsu 3 998 3", 0, "2\n"},
      {"nsu 2 1 -2", 0, "9999\n"},
      {"nsu 2 65535", 0, "0\n"},
      {"nsu 2 9999 -100000", 0, "9999\n"},
      {"sql 'INSERT INTO T VALUES (?, ?)' %d,%s", 0, "INSERT INTO T VALUES (%d, '%s')\n"},
      {"sql -- '-?' %c", 0, "-'%c'\n"},
      {"sql 'SELECT A FROM T WHERE B = ? AND C = ?' %d", 1, "SELECT A FROM T WHERE B = %d AND C = \n" + unpaired},
      {"sql 'SELECT A FROM T' %c", 1, "SELECT A FROM T\n" + unpaired},
      refused("nsu", "expects KIND, NSU and at most one STEPS"),
      refused("nsu 4 1", "KIND is 2 or 3"),
      refused("nsu 2 65536", "NSU is above 65535"),
      refused("nsu 2 -1", "non-digit character '-' at position 1: NSU takes digits only, 1 to 5 digits"),
      refused("nsu 2 1 x", steps),
      refused("nsu 2 1 100001", steps),
      refused("nsu 2 1 -100001", steps),
      refused("nsu 2 1 1 1", "too many arguments (4): expects KIND, NSU and at most one STEPS"),
      refused("sql 'A = ?'", "expects STATEMENT and TYPES"),
      refused("sql 'A = ?' %x", types),
      refused("sql 'A = ?' d", types),
      refused("sql '' %d", "STATEMENT has 1 to 1000 characters, not 0")});
}
