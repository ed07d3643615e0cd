#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/checkdigits.h"

namespace {

// Exactly the characters, with no NUL after them, so that a read past them is caught.
std::vector<char> unterminated(const std::string &text) { return {text.begin(), text.end()}; }

// Modulus 10 (maximum weight 0 here) alternates 2, 1 across the skipped X; non-digits weigh
// their code minus '0' as a signed byte ('A' 34 adds 7, '-' adds -6, 0xFF -98 adds -17). A
// maximum weight below 3 weighs all by 2; a negative sum counts as a high remainder.
TEST(CheckDigits, ModulusTenAndElevenWeights) {
  const struct { const char *text; int length, skip, maxWeight, mode, digit; } cases[] = {
      {"12345X789", 9, 5, 0, 0, '7'}, {"", 0, -1, 0, 0, '0'},   {"5", -3, -1, 0, 0, '0'},
      {"A", 1, -1, 0, 0, '3'},        {"-", 1, -1, 0, 0, '6'},  {"\xFF", 1, -1, 0, 0, '7'},
      {"12345678", 8, -1, 9, 0, '9'}, {"12345678", 8, -1, 7, 0, '5'}, {"109", 3, -1, 9, 1, '1'},
      {"", 0, -1, 9, 1, '1'},         {"1X2", 3, 1, 9, 0, '4'},  {"12", 2, -1, 2, 0, '5'},
      {"-", 1, -1, 9, 1, '1'}};
  for (const auto &c : cases)
    EXPECT_EQ(c.maxWeight == 0 ? MakeDv10(c.text, c.length, c.skip)
                               : MakeDv11(c.text, c.length, c.skip, c.maxWeight, c.mode), c.digit)
        << c.text << ' ' << c.maxWeight;
  EXPECT_EQ(DAC10("7992739871", 10), '3');
  EXPECT_EQ(DAC11("109", 3), '0');
  EXPECT_EQ(CheckDv10("123456789", 9, 5) + CheckDv10("0", 1, -1), 0);
  EXPECT_EQ(CheckDv11("12345678909", 11, 10, 11, 0), 1);
  EXPECT_EQ(CheckDv11("12345678919", 10, 9, 11, 0), 0);
  const auto field = unterminated("79927398713"), code = unterminated("123456789");
  EXPECT_EQ(CheckDv10(field.data(), 11, 10), 1);
  EXPECT_EQ(DAC11(code.data(), 9), '7');  // 9*2 + ... + 2*9 + 1*2 = 202
  EXPECT_EQ(chk_cod_autor(code.data(), 9), 0);
  EXPECT_EQ(chk_cod_autor("123456788", 9) + chk_cod_autor("0", 0), 2);
}

// The rows of tests/data/checkdigits/numbers.tsv.
TEST(CheckDigits, CardNumbersBarCodesAndTaxpayerNumbers) {
  const std::map<std::string, int (*)(const char *)> checks = {
      {"luhn", ChaveLuhn}, {"ean", verifyDVEAN13}, {"ean-digit", calculateDVEAN13},
      {"cpf", chk_cpf},    {"cnpj", chk_cgc}};
  const auto rows = vl::test::data_rows("checkdigits/numbers.tsv", "");
  ASSERT_EQ(rows.size(), 29u);
  for (const auto &row : rows)
    EXPECT_EQ(checks.at(row[0])(row[1].c_str()), std::stoi(row[2])) << row[0] << ' ' << row[1];
}

// ControleDAC counts only the first 127 characters: 127 ones sum to 64*2 + 63 = 191, 200
// would give 300. FormatCPFCNPJ formats in place: "length text isCnpj".
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
      {format("11144477735"), "14 111.444.777-35 0"}, {format("11144477735   "), "14 111.444.777-35 0"},
      {format("11222333000181"), "18 11.222.333/0001-81 1"},
      {format("11222333000181999999"), "18 11.222.333/0001-81 1"}, {format("111444777351"), "0  0"},
  };
  vl::test::expect_rows(cases);
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
