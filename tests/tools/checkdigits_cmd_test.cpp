#include <gtest/gtest.h>

#include "tools/cli_cases.h"

using vl::test::refused;

TEST(CheckDigitsCommands, CheckCompleteFormatAndRefuse) {
  vl::test::expect_cli_cases({
      {"luhn 4111111111111111", 0, "valid\n"},
      {"luhn 4111111111111112", 1, "invalid: the check digit should be 1\n"},
      {"luhn 7992739871 --complete", 0, "79927398713\n"},
      {"cpf 111.444.777-35", 0, "111.444.777-35 valid\n"},
      {"cpf 11144477736", 1, "111.444.777-36 invalid\n"},
      {"cnpj 11222333000181", 0, "11.222.333/0001-81 valid\n"},
      {"cnpj 04.252.011/0001-11", 1, "04.252.011/0001-11 invalid\n"},
      {"cnpj 12.abc.345/01de-35", 0, "12.ABC.345/01DE-35 valid\n"},
      {"cnpj 12ABC34501DE53", 1, "12.ABC.345/01DE-53 invalid\n"},
      {"ean13 789100031550", 0, "7891000315507\n"},
      {"ean13 7891000315500", 1, "invalid: the check digit should be 7\n"},
      {"cmc7 '<23704567<0180123456>700123456789:'", 0,
       "bank 237 agency 0456 cheque 012345 account 12345678\ndigits 237045670180123456700123456789\n"},
      refused("luhn 4", "1 digit is too few: NUMBER takes digits only, 2 to 64 digits"),
      refused("cpf 1114447773", "10 characters besides punctuation: expects 11"),
      refused("cnpj 12ABC34501DEA5", "character 'A' at position 13: a CNPJ holds digits or letters A-Z, "
                                     "its last two places digits"),
      refused("ean13 40063813339", "11 digits are too few: CODE takes digits only, 12 to 13 digits"),
      refused("cmc7 '<23704567<0180123456>7001234'", "at least 32 characters")});
}
