#include <gtest/gtest.h>

#include <string>

#include "tools/cli_cases.h"

// Columns up to the last version index that changes anything, or the one index asked for.
TEST(RulesCommand, ColumnsUpToTheLastChangeOrOneIndex) {
  const struct {
    const char *arguments, *lines;
  } cases[] = {
      {"rules 28", "network 28, version indexes -1 to 2 (higher indexes answer as 2)\n"
                   "version index                          -1    0    1            2\n"},
      {"rules 28", "IsEspecRedeLojista0300OrGreater        no   no  yes          yes\n"
                   "IsEspecRedeLojista0301OrGreater        no   no   no          yes\n"},
      {"rules 28", "IsRedeEspecLojistaCarga                no   no   no          yes\n"},
      {"rules 28", "IsEspecRedeLojistaBandFrota brands      -    -    -  384,416,550\n"
                   "IsEspecRedeTorvexBandFrota brands     456  456  456          456\n"},
      {"rules 141 -1", "network 141 at version index -1\n"},
      {"rules 141 -1", "IsEspecRedeLojista0301OrGreater       yes\nIsEspecRedeLojista0302OrGreater        no\n"},
      {"rules 102 4", "IsProdutoCupomDigital products        6,9,21,22,23,27,28,50,173,187\n"}};
  for (const auto &c : cases) {
    const vl::test::CliRun run = vl::test::run_cli(c.arguments);
    EXPECT_EQ(run.status, 0) << c.arguments;
    EXPECT_NE(run.output.find(c.lines), std::string::npos) << c.lines << run.output;
  }
  vl::test::expect_refused({"rules", "rules x28", "rules 28 1 2", "rules 28 2147483648"});
}
