#include <gtest/gtest.h>

#include "tools/cli_cases.h"

namespace {

TEST(CheckDigitsCommands, CheckCompleteAndFormat) {
  vl::test::expect_cli_cases({
      {"luhn 4111111111111111", 0, "valid\n"},
      {"luhn 4111111111111112", 1, "invalid: the check digit should be 1\n"},
      {"luhn 7992739871 --complete", 0, "79927398713\n"},
      {"cpf 111.444.777-35", 0, "111.444.777-35 valid\n"},
      {"cpf 11144477736", 1, "111.444.777-36 invalid\n"},
      {"cnpj 11222333000181", 0, "11.222.333/0001-81 valid\n"},
      {"cnpj 04.252.011/0001-11", 1, "04.252.011/0001-11 invalid\n"},
      {"cnpj 12ABC34501DE35", 0, "12.ABC.345/01DE-35 valid\n"},
      {"cnpj 12.abc.345/01de-35", 0, "12.ABC.345/01DE-35 valid\n"},
      {"cnpj 12ABC34501DE53", 1, "12.ABC.345/01DE-53 invalid\n"},
      {"ean13 789100031550", 0, "7891000315507\n"},
      {"ean13 7891000315500", 1, "invalid: the check digit should be 7\n"},
      {"cmc7 '<23704567<0180123456>700123456789:'", 0,
       "bank 237 agency 0456 cheque 012345 account 12345678\n"
       "digits 237045670180123456700123456789\n"}});
}

TEST(CheckDigitsCommands, RefusalsNameWhatIsWrong) {
  vl::test::expect_cli_cases({
      {"luhn 4111-1111", 2,
       "vertalib luhn: non-digit character '-' at position 5: NUMBER takes digits only, 2 to 64 digits\n"
       "try: vertalib luhn --help\n"},
      {"luhn 4", 2,
       "vertalib luhn: 1 digit is too few: NUMBER takes digits only, 2 to 64 digits\n"
       "try: vertalib luhn --help\n"},
      {"cpf 1114447773", 2,
       "vertalib cpf: 10 characters besides punctuation: expects 11\ntry: vertalib cpf --help\n"},
      {"cnpj 12ABC34501DEA5", 2,
       "vertalib cnpj: character 'A' at position 13: a CNPJ holds digits or letters A-Z, its last two "
       "places digits\ntry: vertalib cnpj --help\n"},
      {"ean13 40063813339", 2,
       "vertalib ean13: 11 digits are too few: CODE takes digits only, 12 to 13 digits\n"
       "try: vertalib ean13 --help\n"},
      {"cmc7 '<23704567<0180123456>7001234'", 2,
       "vertalib cmc7: at least 32 characters\ntry: vertalib cmc7 --help\n"}});
}

}  // namespace
