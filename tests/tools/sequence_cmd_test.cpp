#include <gtest/gtest.h>

#include "tools/cli_run.h"

namespace {

using vl::test::run_cli;

TEST(SequenceCommands, NsuStepsAndSqlReplaces) {
  const char *unpaired = "vertalib sql: placeholders and types do not pair up\n";
  struct Row {
    const char *arguments;
    int status;
    std::string output;
  } rows[] = {
      {"nsu 3 999", 0, "1\n"},
      {"nsu 3 998 3", 0, "2\n"},
      {"nsu 2 1 -2", 0, "9999\n"},
      {"nsu 2 65535", 0, "0\n"},
      {"nsu 2 9999 -100000", 0, "9999\n"},
      {"sql 'INSERT INTO T VALUES (?, ?)' %d,%s", 0, "INSERT INTO T VALUES (%d, '%s')\n"},
      {"sql 'SELECT A FROM T WHERE B = ? AND C = ?' %d", 1,
       std::string("SELECT A FROM T WHERE B = %d AND C = \n") + unpaired},
      {"sql 'SELECT A FROM T' %c", 1, std::string("SELECT A FROM T\n") + unpaired},
  };
  for (const Row &row : rows) {
    const vl::test::CliRun got = run_cli(row.arguments);
    EXPECT_EQ(got.status, row.status) << row.arguments;
    EXPECT_EQ(got.output, row.output) << row.arguments;
  }
  for (const char *bad : {"nsu", "nsu 4 1", "nsu 2 65536", "nsu 2 -1", "nsu 2 1 x",
                          "nsu 2 1 100001", "nsu 2 1 1 1", "sql", "sql 'A = ?'",
                          "sql 'A = ?' %x", "sql '' %d", "sql 'A = ?' d"})
    EXPECT_EQ(run_cli(bad).status, 2) << bad;
}

}  // namespace
