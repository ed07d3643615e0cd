#include <gtest/gtest.h>

#include <string>

#include "support/sentinel.h"
#include "vertalib/checkdigits.h"

namespace {

TEST(Cmc7, TakesTheLineApartLeavingTheAccountsTwoInnerBytes) {
  // Bank 237, agency 0456, cheque 012345, account field 0012345678 between its digits.
  Patterned<6> bank;
  Patterned<7> agency;
  Patterned<12> account;
  Patterned<9> cheque;
  Patterned<48> digits;
  int status = 0;
  DesmontaCMC7("<23704567<0180123456>700123456789:", bank.bytes, agency.bytes, account.bytes,
               cheque.bytes, &status, digits.bytes);
  EXPECT_EQ(bank.all(), with("237", 4, 6));
  EXPECT_EQ(agency.all(), with("0456", 5, 7));
  EXPECT_EQ(account.all(), std::string("12345678##\0#", 12));
  EXPECT_EQ(cheque.all(), with("012345", 7, 9));
  EXPECT_EQ(status, 1);
  EXPECT_EQ(digits.all(), with("237045670180123456700123456789", 31, 48));
  status = 0;
  DesmontaCMC7(std::string(34, '<').c_str(), bank.bytes, agency.bytes, account.bytes,
               cheque.bytes, &status, digits.bytes);
  EXPECT_EQ(status, 1);
  EXPECT_STREQ(bank.bytes, "<<<");
  EXPECT_STREQ(digits.bytes, "");
  StrCpyCMC7(digits.bytes, "12345678901234567890123456789012345678901234567890");
  EXPECT_EQ(digits.all(), with("1234567890123456789012345678901234567890", 41, 48));
}

TEST(InvoiceBarCode, TakesTheBinFromTheKnownBanksSlices) {
  const struct { const char *bank, *bin; int known; } cases[] = {
      {"104", "ABDEFG##", 1}, {"356", "ABCDEF##", 1}, {"237", "ABCDEF##", 1},
      {"023", "########", 0}, {"341", "########", 0}, {"105", "########", 0},
  };
  for (const auto &c : cases) {
    Patterned<8> bin;
    const std::string code = std::string(c.bank) + "45678901234567ABCxDEFG99";
    EXPECT_EQ(VerificaPagamentoBINCodigoBarrasIBI(code.c_str(), bin.bytes), c.known) << c.bank;
    EXPECT_EQ(bin.all(), c.bin) << c.bank;
  }
}

TEST(InvoiceBrands, CardNumberAndBarCodeListsDiffer) {
  const struct { int brand, byCardNumber, byBarCode, flag; } cases[] = {
      {489, 1, 0, 5}, {490, 1, 1, 5}, {495, 1, 1, 5}, {496, 0, 0, 5}, {516, 1, 0, 5},
      {246, 0, 0, 5}, {132, 1, 0, 5}, {123, 1, 1, 5}, {33, 1, 0, 1},
  };
  for (const auto &c : cases) {
    int flag = 5;
    EXPECT_EQ(IsEspecLojistaBandPagFaturaPANEx(c.brand, &flag), c.byCardNumber) << c.brand;
    EXPECT_EQ(flag, c.flag) << c.brand;
    EXPECT_EQ(IsEspecLojistaBandPagFaturaPAN(c.brand), c.byCardNumber) << c.brand;
    EXPECT_EQ(IsEspecLojistaBandPagFaturaCodBar(c.brand), c.byBarCode) << c.brand;
  }
}

}  // namespace
