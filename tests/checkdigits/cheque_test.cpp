#include <gtest/gtest.h>

#include <string>

#include "strings/patterned.h"
#include "vertalib/checkdigits.h"

namespace {

// Bank 237, agency 0456, cheque 012345, account field 0012345678 between its digits.
constexpr char kLine[] = "<23704567<0180123456>700123456789:";

TEST(Cmc7, DigitsOfTheFirstFortyCharacters) {
  char digits[48];
  StrCpyCMC7(digits, "12345678901234567890123456789012345678901234567890");
  EXPECT_STREQ(digits, "1234567890123456789012345678901234567890");
  StrCpyCMC7(digits, "");
  EXPECT_STREQ(digits, "");
}

TEST(Cmc7, TakesTheLineApartLeavingTheAccountsTwoInnerBytes) {
  Patterned<6> bank;
  Patterned<7> agency;
  Patterned<12> account;
  Patterned<9> cheque;
  Patterned<48> digits;
  int status = 0;
  DesmontaCMC7(kLine, bank.bytes, agency.bytes, account.bytes, cheque.bytes, &status, digits.bytes);
  EXPECT_EQ(bank.all(), with("237", 4, 6));
  EXPECT_EQ(agency.all(), with("0456", 5, 7));
  EXPECT_EQ(account.all(), std::string("12345678##\0#", 12));
  EXPECT_EQ(cheque.all(), with("012345", 7, 9));
  EXPECT_EQ(status, 1);
  EXPECT_EQ(digits.all(), with("237045670180123456700123456789", 31, 48));
  status = 0;
  const std::string separators(34, '<');
  DesmontaCMC7(separators.c_str(), bank.bytes, agency.bytes, account.bytes, cheque.bytes, &status,
               digits.bytes);
  EXPECT_EQ(status, 1);
  EXPECT_STREQ(bank.bytes, "<<<");
  EXPECT_STREQ(digits.bytes, "");
}

TEST(InvoiceBarCode, TakesTheBinFromTheKnownBanksSlices) {
  const auto code = [](const char *bank) { return std::string(bank) + "45678901234567ABCxDEFG99"; };
  Patterned<8> bin;
  EXPECT_EQ(VerificaPagamentoBINCodigoBarrasIBI(code("104").c_str(), bin.bytes), 1);
  EXPECT_EQ(bin.all(), "ABDEFG##");
  EXPECT_EQ(VerificaPagamentoBINCodigoBarrasIBI(code("356").c_str(), bin.bytes), 1);
  EXPECT_EQ(bin.all(), "ABCDEF##");
  Patterned<8> second;
  EXPECT_EQ(VerificaPagamentoBINCodigoBarrasIBI(code("237").c_str(), second.bytes), 1);
  EXPECT_EQ(second.all(), "ABCDEF##");
  for (const char *other : {"023", "341", "105"}) {
    Patterned<8> kept;
    EXPECT_EQ(VerificaPagamentoBINCodigoBarrasIBI(code(other).c_str(), kept.bytes), 0) << other;
    EXPECT_EQ(kept.all(), "########");
  }
}

TEST(InvoiceBrands, CardNumberAndBarCodeListsDiffer) {
  struct Case {
    int brand, byCardNumber, byBarCode;
  };
  for (const Case c : {Case{489, 1, 0}, Case{490, 1, 1}, Case{495, 1, 1}, Case{496, 0, 0},
                       Case{516, 1, 0}, Case{246, 0, 0}, Case{132, 1, 0}, Case{123, 1, 1}}) {
    int flag = 5;
    EXPECT_EQ(IsEspecLojistaBandPagFaturaPANEx(c.brand, &flag), c.byCardNumber) << c.brand;
    EXPECT_EQ(IsEspecLojistaBandPagFaturaPAN(c.brand), c.byCardNumber) << c.brand;
    EXPECT_EQ(IsEspecLojistaBandPagFaturaCodBar(c.brand), c.byBarCode) << c.brand;
    EXPECT_EQ(flag, 5) << c.brand;
  }
  int flag = 0;
  EXPECT_EQ(IsEspecLojistaBandPagFaturaPANEx(33, &flag), 1);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(IsEspecLojistaBandPagFaturaCodBar(33), 0);
}

}  // namespace
