#include <gtest/gtest.h>

#include <string>

#include "tools/cli_run.h"

namespace {

using vl::test::run_cli;

TEST(RulesCommand, ColumnsUpToTheLastChangeOrOneIndexAndRefusedArguments) {
  const auto all = run_cli("rules 28");
  EXPECT_EQ(all.status, 0);
  const char *expected_lines[] = {
      "network 28, version indexes -1 to 2 (higher indexes answer as 2)\n",
      "version index                          -1    0    1            2\n",
      "IsEspecRedeLojista0300OrGreater        no   no  yes          yes\n",
      "IsEspecRedeLojista0303OrGreater        no   no   no          yes\n",
      "IsRedeEspecLojistaCarga                no   no   no          yes\n",
      "IsEspecRedeLojistaBandFrota brands      -    -    -  384,416,550\n",
      "IsEspecRedeTorvexBandFrota brands     456  456  456          456\n",
  };
  for (const char *line : expected_lines)
    EXPECT_NE(all.output.find(line), std::string::npos) << line << all.output;
  const auto any = run_cli("rules 141 -1");
  EXPECT_EQ(any.status, 0);
  EXPECT_NE(any.output.find("network 141 at version index -1\n"), std::string::npos) << any.output;
  EXPECT_NE(any.output.find("IsEspecRedeLojista0301OrGreater       yes\n"), std::string::npos);
  EXPECT_NE(any.output.find("IsEspecRedeLojista0302OrGreater        no\n"), std::string::npos);
  const auto coupons = run_cli("rules 102 4");
  EXPECT_NE(coupons.output.find("IsProdutoCupomDigital products        6,9,21,22,23,27,28,50,173,187\n"),
            std::string::npos) << coupons.output;
  for (const char *refused : {"rules", "rules x28", "rules 28 1 2", "rules 28 2147483648"})
    EXPECT_EQ(run_cli(refused).status, 2) << refused;
}

}  // namespace
