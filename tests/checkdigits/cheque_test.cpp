#include <gtest/gtest.h>

#include <string>

#include "support/sentinel.h"
#include "vertalib/checkdigits.h"

namespace {

// Bank 237, agency 0456, cheque 012345, account 12345678 (its 9th and 10th bytes untouched).
TEST(Cmc7, TakesTheLineApartLeavingTheAccountsTwoInnerBytes) {
  Patterned<6> bank;
  Patterned<7> agency;
  Patterned<12> account;
  Patterned<9> cheque;
  Patterned<48> digits;
  int status = 0;
  const auto take = [&](const char *line) {
    DesmontaCMC7(line, bank.bytes, agency.bytes, account.bytes, cheque.bytes, &status, digits.bytes);
    return bank.all() + agency.all() + account.all() + cheque.all() + std::to_string(status);
  };
  EXPECT_EQ(take("<23704567<0180123456>700123456789:"),
            with("237", 4, 6) + with("0456", 5, 7) + std::string("12345678##\0#", 12) + with("012345", 7, 9) + "1");
  EXPECT_EQ(digits.all(), with("237045670180123456700123456789", 31, 48));
  status = 0;
  const std::string unchecked = take(std::string(34, '<').c_str());  // nothing checks the digits
  EXPECT_EQ(unchecked.substr(0, 4) + unchecked.back() + digits.bytes, std::string("<<<\0", 4) + "1");
  StrCpyCMC7(digits.bytes, "12345678901234567890123456789012345678901234567890");
  EXPECT_EQ(digits.all(), with("1234567890123456789012345678901234567890", 41, 48));
}

// Whether the bank is known, and the bin slice it takes (none for the others).
TEST(Invoices, BinFromTheKnownBanksSlicesAndBrandLists) {
  const char *cases[][2] = {{"104", "1ABDEFG##"}, {"356", "1ABCDEF##"}, {"237", "1ABCDEF##"},
                            {"023", "0########"}, {"341", "0########"}, {"105", "0########"}};
  for (const auto &c : cases) {
    Patterned<8> bin;
    const std::string code = std::string(c[0]) + "45678901234567ABCxDEFG99";
    const int known = VerificaPagamentoBINCodigoBarrasIBI(code.c_str(), bin.bytes);
    EXPECT_EQ(std::to_string(known) + bin.all(), c[1]);
  }
  // Brands paid by card number (with and without the flag), by bar code; the flag set for 33.
  const struct { int brand; const char *answers; } brands[] = {
      {489, "1105"}, {490, "1115"}, {495, "1115"}, {496, "0005"}, {516, "1105"},
      {246, "0005"}, {132, "1105"}, {123, "1115"}, {33, "1101"}};
  for (const auto &c : brands) {
    int flag = 5;
    const int by_card = IsEspecLojistaBandPagFaturaPANEx(c.brand, &flag);
    EXPECT_EQ(std::to_string(by_card) + std::to_string(IsEspecLojistaBandPagFaturaPAN(c.brand)) +
                  std::to_string(IsEspecLojistaBandPagFaturaCodBar(c.brand)) + std::to_string(flag),
              c.answers) << c.brand;
  }
}

}  // namespace
