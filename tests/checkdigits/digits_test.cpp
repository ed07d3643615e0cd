#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/checkdigits.h"

namespace {

// Exactly the characters, with no NUL after them, so that a read past them is caught.
std::vector<char> unterminated(const std::string &text) { return {text.begin(), text.end()}; }

// Modulus 10 alternates 2, 1 across the skipped X; non-digits weigh their code minus '0' as a
// signed byte ('A' 34 adds 7, '-' adds -6, 0xFF -98 adds -17). Modulus 11: a maximum weight
// below 3 weighs all by 2; a negative sum counts as a high remainder.
TEST(CheckDigits, ModulusTenAndElevenWeights) {
  const auto field = unterminated("79927398713"), code = unterminated("123456789");
  const int cases[][2] = {  // DAC11 of code: 9*2 + ... + 2*9 + 1*2 = 202
      {MakeDv10("12345X789", 9, 5), '7'}, {MakeDv10("", 0, -1), '0'}, {MakeDv10("5", -3, -1), '0'},
      {MakeDv10("A", 1, -1), '3'}, {MakeDv10("-", 1, -1), '6'}, {MakeDv10("\xFF", 1, -1), '7'},
      {MakeDv11("12345678", 8, -1, 9, 0), '9'}, {MakeDv11("12345678", 8, -1, 7, 0), '5'},
      {MakeDv11("109", 3, -1, 9, 1), '1'}, {MakeDv11("", 0, -1, 9, 1), '1'}, {MakeDv11("1X2", 3, 1, 9, 0), '4'},
      {MakeDv11("12", 2, -1, 0, 0), '5'}, {MakeDv11("-", 1, -1, 9, 1), '1'},
      {DAC10("7992739871", 10), '3'}, {DAC11("109", 3), '0'}, {DAC11(code.data(), 9), '7'},
      {CheckDv10("123456789", 9, 5), 0}, {CheckDv10("0", 1, -1), 0}, {CheckDv10(field.data(), 11, 10), 1},
      {CheckDv11("12345678909", 11, 10, 11, 0), 1}, {CheckDv11("12345678919", 10, 9, 11, 0), 0},
      {chk_cod_autor(code.data(), 9), 0}, {chk_cod_autor("123456788", 9), 1}, {chk_cod_autor("0", 0), 1}};
  vl::test::expect_rows(cases);
}

TEST(CheckDigits, CardNumbersBarCodesAndTaxpayerNumbers) {
  const std::map<std::string, int (*)(const char *)> checks = {
      {"luhn", ChaveLuhn}, {"ean", verifyDVEAN13}, {"ean-digit", calculateDVEAN13},
      {"cpf", chk_cpf},    {"cnpj", chk_cgc}};
  ASSERT_EQ(vl::test::data_rows("checkdigits/numbers.tsv", "").size(), 34u);
  for (const auto &[kind, check] : checks)
    for (const auto &row : vl::test::data_rows("checkdigits/numbers.tsv", kind))
      EXPECT_EQ(check(row[0].c_str()), std::stoi(row[1])) << kind << ' ' << row[0];
}

// ControleDAC counts only the first 127 characters: 127 ones sum to 64*2 + 63 = 191, 200
// would give 300. FormatCPFCNPJ formats in place (the "format" rows of numbers.tsv).
TEST(WrittenDigits, ControleDACAndFormatCPFCNPJ) {
  const auto format = [](const char *number) {
    Patterned<24> out(number);
    int cnpj = 7;
    const int length = FormatCPFCNPJ(out.bytes, out.bytes, &cnpj);
    return std::to_string(length) + " " + out.bytes + " " + std::to_string(cnpj);
  };
  const std::string ones(100, '1');
  const std::string cases[][2] = {
      {TEXT_OF(6, ControleDAC(o, "123", "45", "6")), std::string("1236\0#", 6) + " -> 4"},
      {TEXT_OF(6, ControleDAC_StdCall(o, "123", "45", "6")), std::string("1236\0#", 6) + " -> 4"},
      {TEXT_OF(102, ControleDAC(o, ones.c_str(), ones.c_str(), "")), ones + "9" + '\0' + " -> 101"},
  };
  vl::test::expect_rows(cases);
  for (const auto &row : vl::test::data_rows("checkdigits/numbers.tsv", "format"))
    EXPECT_EQ(format(row[0].c_str()), row[1]);
}

// Counts at the far end of int weigh nothing, and null numbers are refused like short ones.
TEST(CheckDigitsOutsideTheContract, ExtremeLengthsAndNullPointers) {
  int is_cnpj = 7;
  const std::string cases[][2] = {
      {{char(MakeDv10("123", INT_MIN, -1)), char(DAC10("123", INT_MIN)),
        char(MakeDv11("123", INT_MIN, -1, 9, 1)), char(DAC11("123", INT_MIN)),
        char('0' + CheckDv10("0", INT_MIN, 0)), char('0' + CheckDv11("5", INT_MIN, 0, 9, 0))}, "001010"},
      {{char('0' + chk_cpf(nullptr)), char('0' + chk_cgc(nullptr)), char('0' + ChaveLuhn(nullptr))}, "110"},
      {written([&](char *out) { return FormatCPFCNPJ(out, nullptr, &is_cnpj); }) + std::to_string(is_cnpj),
       "0 7"},
      {written([](char *out) { return ControleDAC(out, "123", nullptr, ""); }), "0 "},
  };
  vl::test::expect_rows(cases);
}

}  // namespace
