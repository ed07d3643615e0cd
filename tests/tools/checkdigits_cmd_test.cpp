#include <gtest/gtest.h>

#include "tools/cli_run.h"

namespace {

using vl::test::run_cli;

void expect_run(const char *arguments, int status, const char *output) {
  const vl::test::CliRun result = run_cli(arguments);
  EXPECT_EQ(result.status, status) << arguments;
  EXPECT_EQ(result.output, output) << arguments;
}

TEST(CheckDigitsCommands, CheckCompleteAndFormat) {
  expect_run("luhn 4111111111111111", 0, "valid\n");
  expect_run("luhn 4111111111111112", 1, "invalid: the check digit should be 1\n");
  expect_run("luhn 7992739871 --complete", 0, "79927398713\n");
  expect_run("cpf 111.444.777-35", 0, "111.444.777-35 valid\n");
  expect_run("cpf 11144477736", 1, "111.444.777-36 invalid\n");
  expect_run("cnpj 11222333000181", 0, "11.222.333/0001-81 valid\n");
  expect_run("cnpj 04.252.011/0001-11", 1, "04.252.011/0001-11 invalid\n");
  expect_run("ean13 789100031550", 0, "7891000315507\n");
  expect_run("ean13 7891000315500", 1, "invalid: the check digit should be 7\n");
  expect_run("cmc7 '<23704567<0180123456>700123456789:'", 0,
             "bank 237 agency 0456 cheque 012345 account 12345678\n"
             "digits 237045670180123456700123456789\n");
}

TEST(CheckDigitsCommands, RefuseWhatIsNotANumberOfTheirKind) {
  for (const char *arguments :
       {"luhn", "luhn 4111-1111", "luhn 41 --fast", "cpf 1114447773", "cnpj 1122233300018A",
        "ean13 40063813339", "cpf 1 2", "cmc7 '<23704567<0180123456>7001234'"})
    EXPECT_EQ(run_cli(arguments).status, 2) << arguments;
}

}  // namespace
