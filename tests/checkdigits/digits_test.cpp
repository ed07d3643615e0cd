#include <gtest/gtest.h>
#include <climits>

#include <cstring>
#include <string>
#include <vector>

#include "strings/patterned.h"
#include "vertalib/checkdigits.h"

namespace {

// Exactly the characters, with no NUL after them, so that a read past them is caught.
std::vector<char> unterminated(const std::string &text) { return {text.begin(), text.end()}; }

TEST(Modulus10, WeighsTwoOneFromTheRightAndLuhnChecksCardNumbers) {
  // The alternation runs on across the skipped X. Non-digits weigh their code minus '0' as a
  // signed byte: 'A' 17*2 = 34 adds 7; '-' -3*2 adds -6; 0xFF -49*2 = -98 adds -17.
  const struct { const char *text; int length, skip, digit; } cases[] = {
      {"12345X789", 9, 5, '7'}, {"", 0, -1, '0'}, {"5", -3, -1, '0'},
      {"A", 1, -1, '3'},        {"-", 1, -1, '6'}, {"\xFF", 1, -1, '7'}};
  for (const auto &c : cases) EXPECT_EQ(MakeDv10(c.text, c.length, c.skip), c.digit) << c.text;
  EXPECT_EQ(DAC10("7992739871", 10), '3');
  for (const char *card : {"4111111111111111", "5555555555554444", "378282246310005", "79927398713",
                           "6011111111111117", "4012888888881881", "3530111333300000"})
    EXPECT_EQ(ChaveLuhn(card), 1) << card;
  EXPECT_EQ(ChaveLuhn("4111111111111112"), 0);
  EXPECT_EQ(ChaveLuhn(""), 0);
  EXPECT_EQ(CheckDv10("123456789", 9, 5), 0);
  EXPECT_EQ(CheckDv10("0", 1, -1), 0);
  const auto field = unterminated("79927398713");
  EXPECT_EQ(CheckDv10(field.data(), 11, 10), 1);
}

TEST(Modulus11, WeightsRepeatUpToTheMaximumAndHighRemaindersFollowTheVariant) {
  // 109 sums 9*2 + 0*3 + 1*4 = 22; "1X2" skipping the X sums 2*2 + 1*3; a maximum weight
  // below 3 weighs all by 2; a negative sum counts as a high remainder.
  const struct { const char *text; int length, skip, maxWeight, mode, digit; } cases[] = {
      {"12345678", 8, -1, 9, 0, '9'}, {"12345678", 8, -1, 7, 0, '5'}, {"109", 3, -1, 9, 1, '1'},
      {"", 0, -1, 9, 1, '1'},         {"1X2", 3, 1, 9, 0, '4'},       {"12", 2, -1, 0, 0, '5'},
      {"-", 1, -1, 9, 1, '1'}};
  for (const auto &c : cases)
    EXPECT_EQ(MakeDv11(c.text, c.length, c.skip, c.maxWeight, c.mode), c.digit) << c.text;
  EXPECT_EQ(DAC11("109", 3), '0');
  EXPECT_EQ(CheckDv11("12345678909", 11, 10, 11, 0), 1);
  EXPECT_EQ(CheckDv11("12345678919", 10, 9, 11, 0), 0);
  const auto code = unterminated("123456789");
  EXPECT_EQ(DAC11(code.data(), 9), '7');  // 9*2 + ... + 2*9 + 1*2 = 202
  EXPECT_EQ(chk_cod_autor(code.data(), 9), 0);
  EXPECT_EQ(chk_cod_autor("123456788", 9), 1);
  EXPECT_EQ(chk_cod_autor("0", 0), 1);
}

TEST(Ean13, WeighsOneThreeFromTheLeft) {
  EXPECT_EQ(calculateDVEAN13("400638133393"), 1);
  EXPECT_EQ(calculateDVEAN13("-"), 13) << "remainder of a negative sum, truncated";
  for (const char *code : {"4006381333931", "7891000315507", "7894900011517", "7896004000855",
                           "5901234123457", "9780306406157"})
    EXPECT_EQ(verifyDVEAN13(code), 1) << code;
  for (const char *code : {"4006381333932", "400638133393", "40063813339311"})
    EXPECT_EQ(verifyDVEAN13(code), 0) << code;
}

TEST(TaxpayerNumbers, BothCheckDigitsMustBeRight) {
  for (const char *cpf : {"11144477735", "12345678909", "52998224725", "98765432100", "11111111111",
                          "00000000000", "11144477735999"})
    EXPECT_EQ(chk_cpf(cpf), 0) << cpf;
  for (const char *cpf : {"11144477736", "11144477745", "21144477735", "1114447773"})
    EXPECT_EQ(chk_cpf(cpf), 1) << cpf;
  for (const char *cnpj : {"11222333000181", "11444777000161", "04252011000110"})
    EXPECT_EQ(chk_cgc(cnpj), 0) << cnpj;
  for (const char *cnpj : {"11222333000182", "11222333000191", "11222334000181", "1122233300018"})
    EXPECT_EQ(chk_cgc(cnpj), 1) << cnpj;
}

// Bases completed with the modulus-11 digits are accepted; one step of the last base digit
// moves the first sum by 2 or by -18 (4 modulo 11), so the first check digit changes.
TEST(TaxpayerNumbers, BasesCompletedWithTheirDigitsPassAndOneChangedDigitFails) {
  unsigned seed = 12345;
  for (int round = 0; round < 300; ++round) {
    std::string cnpj;
    for (int i = 0; i < 12; ++i)
      cnpj += static_cast<char>('0' + ((seed = seed * 1103515245u + 12345u) >> 16) % 10);
    std::string cpf = cnpj.substr(0, 9);
    for (int i = 0; i < 2; ++i) {
      cpf += static_cast<char>(MakeDv11(cpf.c_str(), 9 + i, -1, 11, 0));
      cnpj += static_cast<char>(MakeDv11(cnpj.c_str(), 12 + i, -1, 9, 0));
    }
    ASSERT_EQ(chk_cpf(cpf.c_str()) + chk_cgc(cnpj.c_str()), 0) << cpf << ' ' << cnpj;
    cpf[8] = static_cast<char>('0' + (cpf[8] - '0' + 1) % 10);
    cnpj[11] = static_cast<char>('0' + (cnpj[11] - '0' + 1) % 10);
    ASSERT_EQ(chk_cpf(cpf.c_str()) + chk_cgc(cnpj.c_str()), 2) << cpf << ' ' << cnpj;
  }
}

TEST(ControleDAC, WritesTheFirstPartAndTheDigitOfAllThree) {
  Patterned<8> out, twin;
  EXPECT_EQ(ControleDAC(out.bytes, "123", "45", "6"), 4);
  EXPECT_EQ(out.all(), with("1236", 5, 8));
  EXPECT_EQ(ControleDAC_StdCall(twin.bytes, "123", "45", "6"), 4);
  EXPECT_EQ(twin.all(), out.all());
  // Only the first 127 characters count: 127 ones sum to 64*2 + 63 = 191, 200 would give 300.
  const std::string ones(100, '1');
  char long_out[104];
  EXPECT_EQ(ControleDAC(long_out, ones.c_str(), ones.c_str(), ""), 101);
  EXPECT_EQ(std::string(long_out), ones + "9");
}

// Each number is formatted in its own buffer, so the form must come from a copy of it.
TEST(FormatCPFCNPJ, PunctuatesElevenOrFourteenCharacters) {
  const struct { const char *number, *formatted; int cnpj; } cases[] = {
      {"11144477735", "111.444.777-35", 0},    {"11222333000181", "11.222.333/0001-81", 1},
      {"11144477735   ", "111.444.777-35", 0}, {"11222333000181999999", "11.222.333/0001-81", 1},
      {"111444777351", "", 0}};
  for (const auto &c : cases) {
    Patterned<24> out(c.number);
    int cnpj = 7;
    const int length = static_cast<int>(std::strlen(c.formatted));
    EXPECT_EQ(FormatCPFCNPJ(out.bytes, out.bytes, &cnpj), length) << c.number;
    EXPECT_STREQ(out.bytes, c.formatted);
    EXPECT_EQ(cnpj, c.cnpj) << c.number;
  }
}

// Counts at the far end of int weigh nothing, and null numbers are refused like short ones.
TEST(CheckDigitsOutsideTheContract, ExtremeLengthsAndNullPointers) {
  EXPECT_EQ(MakeDv10("123", INT_MIN, -1), '0');
  EXPECT_EQ(DAC10("123", INT_MIN), '0');
  EXPECT_EQ(MakeDv11("123", INT_MIN, -1, 9, 1), '1');
  EXPECT_EQ(DAC11("123", INT_MIN), '0');
  EXPECT_EQ(CheckDv10("0", INT_MIN, 0), 1);
  EXPECT_EQ(CheckDv11("5", INT_MIN, 0, 9, 0), 0);
  EXPECT_EQ(chk_cpf(nullptr), 1);
  EXPECT_EQ(chk_cgc(nullptr), 1);
  EXPECT_EQ(ChaveLuhn(nullptr), 0);
  int is_cnpj = 7;
  EXPECT_EQ(written([&](char *out) { return FormatCPFCNPJ(out, nullptr, &is_cnpj); }), "0 ");
  EXPECT_EQ(is_cnpj, 7);
  EXPECT_EQ(written([](char *out) { return ControleDAC(out, "123", nullptr, ""); }), "0 ");
}

}  // namespace
