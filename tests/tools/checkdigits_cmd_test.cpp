#include <gtest/gtest.h>

#include <string>

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
  expect_run("cnpj 12ABC34501DE35", 0, "12.ABC.345/01DE-35 valid\n");
  expect_run("cnpj 12.abc.345/01de-35", 0, "12.ABC.345/01DE-35 valid\n");
  expect_run("cnpj 12ABC34501DE53", 1, "12.ABC.345/01DE-53 invalid\n");
  expect_run("ean13 789100031550", 0, "7891000315507\n");
  expect_run("ean13 7891000315500", 1, "invalid: the check digit should be 7\n");
  expect_run("cmc7 '<23704567<0180123456>700123456789:'", 0,
             "bank 237 agency 0456 cheque 012345 account 12345678\n"
             "digits 237045670180123456700123456789\n");
}

TEST(CheckDigitsCommands, RefusalsNameWhatIsWrong) {
  const struct {
    const char *arguments, *message;
  } cases[] = {
      {"luhn 4111-1111", "vertalib luhn: non-digit character '-' at position 5: NUMBER takes digits only, 2 to 64 digits"},
      {"luhn 4", "vertalib luhn: 1 digit is too few: NUMBER takes digits only, 2 to 64 digits"},
      {"luhn 41 --fast", "vertalib luhn: unknown option '--fast'"},
      {"luhn", "vertalib luhn: expects a card number"},
      {"cpf 1114447773", "vertalib cpf: 10 characters besides punctuation: expects 11"},
      {"cpf 1 2", "vertalib cpf: unexpected argument '2'"},
      {"cnpj 12ABC34501DEA5",
       "vertalib cnpj: character 'A' at position 13: a CNPJ holds digits or letters A-Z, its last two places digits"},
      {"ean13 40063813339", "vertalib ean13: 11 digits are too few: CODE takes digits only, 12 to 13 digits"},
      {"cmc7 '<23704567<0180123456>7001234'", "vertalib cmc7: at least 32 characters"}};
  for (const auto &c : cases) {
    const vl::test::CliRun result = run_cli(c.arguments);
    EXPECT_EQ(result.status, 2) << c.arguments;
    const std::string command = std::string(c.arguments).substr(0, std::string(c.arguments).find(' '));
    EXPECT_EQ(result.output, std::string(c.message) + "\ntry: vertalib " + command + " --help\n")
        << c.arguments;
  }
}

}  // namespace
