#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/amounts.h"
#include "vertalib/frame.h"

namespace {

using namespace std::string_literals;

TEST(FormatValor, LaysTheDigitsOntoTheDisplayMask) {
  struct { const char *digits; int length; const char *shown; } cases[] = {
      {"000000000005", 12, "0,05"}, {"000000012345", 12, "123,45"}, {"000000000000", 12, "0,00"},
      {"123456789012", 12, "1.234.567.890,12"}, {"000000100000", 12, "1.000,00"},
      {"000000012345", 0, ""},      {"000000012345999", 12, "123,45"}, {"000", 3, "0.00"},
      {"12345", 5, "1.234.5"},  // a short input without leading zeros starts the mask
      {"     1234567", 12, "12.345,67"}, {"0000000000-5", 12, "0,-5"},  // lead like zeros
      {"12345678901234", 14, "1.234.567.890,12"},  // stops at the mask's end
  };
  for (const auto &c : cases) EXPECT_STREQ(FormatValor(c.digits, c.length), c.shown) << c.digits;
}

// Mode 1: a buffer per thread; mode 0: one for the process, so another thread overwrites.
TEST(FormatValor, HasABufferPerThreadOnlyInLibraryModeOne) {
  for (int mode : {1, 0}) {
    SetLibMode(mode);
    const char *main_buffer = FormatValor("000000000777", 12);
    std::string other;
    std::thread([&other] { other = FormatValor("000000000888", 12); }).join();
    EXPECT_EQ(other + " " + main_buffer, mode == 1 ? "8,88 7,77" : "8,88 8,88") << mode;
  }
}

// ',' ends a number, text that is not a number reads as 0, a result wider than 12
// characters is written whole; the Ex forms copy with the NUL or clear outSize bytes.
TEST(AmountSums, RoundToWholeCentavosWithHalvesAwayFromZero) {
  const std::string cases[][2] = {
      {EditValorTransacao("000000000005", "-10"), "0,-5"},
      {EditValorTransacao("-12345", "0"), "123,45"},
      {EditValorTransacaoEx("1", "2", "3", "4", "000000100000"), "1.000,10"},
      {SomaValorTransacao("2.5", "0", "0", "0"), "000000000003"},
      {SubtraiValorTransacao("0", "2.5"), "0000000000-3"},
      {SomaValorTransacao("1,99", "abc", " 7", "0x10"), "000000000008"},
      {SomaValorTransacao("999999999999", "1", "", ""), "1000000000000"},
      {TEXT_OF(16, SomaValorTransacaoEx(o, 12, "000000000100", "000000000023", "", "")), "000000000123\0###"s},
      {TEXT_OF(16, SomaValorTransacaoEx(o, 11, "000000000100", "", "", "")), std::string(11, '\0') + "#####"},
      {TEXT_OF(16, SubtraiValorTransacaoEx(o, 12, "5", "10")), "0000000000-5\0###"s},
  };
  vl::test::expect_rows(cases);
  char *sum = SomaValorTransacao("2", "", "", "");
  EXPECT_EQ(SomaValorTransacao("1", "", "", ""), sum);
  EXPECT_STREQ(SubtraiValorTransacao("000000000005", "000000000010"), "0000000000-5");
  EXPECT_STREQ(sum, "000000000001") << "sums and differences have separate buffers";
}

TEST(SeparatorEditing, EditsTheSeparatorsInPlace) {
  const auto rows = vl::test::data_rows("amounts/separators.tsv");
  ASSERT_EQ(rows.size(), 23u);
  for (const auto &row : rows) {
    char text[32];
    std::strcpy(text, row[1].c_str());
    const int n = std::stoi(row[2]);
    int result = -1;
    if (row[0] == "cut") RetiraVirgula(text);
    if (row[0] == "counted") result = RetiraVirgulaEx(text, n);
    if (row[0] == "grouped") result = RetiraSeparadorMilharDecimal(text);
    if (row[0] == "to-point") SubstituiVirgulaPorPonto(text, n);
    if (row[0] == "comma") StrInsertVirgula(text, n);
    EXPECT_EQ((result < 0 ? "-" : std::to_string(result)) + " " + text, row[3] + " " + row[4])
        << row[0] << " " << row[1];
  }
}

// FormataValorDbl edits 12 rounded digits without a NUL; FormataValorDecimal places the
// comma by the decimals given and terminates.
TEST(DisplayEditing, FormataValorDblAndFormataValorDecimal) {
  struct { double centavos; const char *shown; int result; } cases[] = {
      {12345, "123,45", 6}, {-5, "-0,05", 4}, {0, "0,00", 4}, {50, "0,50", 4}, {100, "1,00", 4},
      {2.5, "0,03", 4},     {123456789012.0, "1.234.567.890,12", 16},
      {1234567890123.0, "2.345.678.901,23", 16},  // only the last 12 digits
  };
  for (const auto &c : cases)
    EXPECT_EQ(TEXT_OF(std::strlen(c.shown) + 1, FormataValorDbl(c.centavos, o)),
              std::string(c.shown) + "# -> " + std::to_string(c.result));
  struct { const char *digits; unsigned char decimals; const char *shown; } decimal[] = {
      {"000012345", 2, "123,45"}, {"1234567", 3, "1.234,567"}, {"5", 2, "0,05"},
      {"123", 0, "123,"},         {"000", 2, "0,00"},          {"12", 3, "0,012"},
      {"1234567890", 2, "12.345.678,90"},                      {"", 0, "0,0"},
  };
  for (const auto &c : decimal) {
    char out[32];
    const int length = FormataValorDecimal(c.digits, static_cast<int>(std::strlen(c.digits)), c.decimals, out);
    EXPECT_EQ(length, static_cast<int>(std::strlen(c.shown)));
    EXPECT_STREQ(out, c.shown) << c.digits;
  }
}

TEST(FloatForms, TwoImpliedDecimalsInAndRoundedDecimalsOut) {
  EXPECT_EQ(ConvertValorToFloat("5"), 0.05f);
  EXPECT_EQ(ConvertValorToFloat("12345"), 123.45f);
  EXPECT_EQ(ASC2Float("12345999", 5), 123.45f);
  EXPECT_EQ(ASC2Float("7", 40), 0.07f);
  struct { double value; const char *text; } cases[] = {
      {123.456, "123.46"}, {0.5, "0.50"},   {0.05, "0.05"}, {0.0, "0.000"},
      {-1.5, "1.50"},      {0.125, "0.13"}, {999999999999.99, "999999999999.99"},
  };
  for (const auto &c : cases) EXPECT_STREQ(DoubleToValor(c.value), c.text) << c.value;
  EXPECT_EQ(DoubleToValor(1.0), DoubleToValor(2.0)) << "one library buffer";
  const auto rounded = [](int size, int decimals, const char *in) {
    return written([&](char *out) { SomaStrNumeroDecimal(out, size, decimals, in); });
  };
  EXPECT_EQ(rounded(6, 2, "1234.5"), "") << "1234.50 has 7 characters";
  EXPECT_EQ(rounded(7, 2, "1234.5") + rounded(15, 2, "0.125"), "1234.50\0" "0.13\0"s);
  EXPECT_EQ(rounded(15, 0, " 2.5") + rounded(15, 3, "-1.5"), "3\0" "-1.500\0"s);
}

// ConvertValorFromBD2Bit4 aligns the decimals on the last two of 12 places and writes no
// NUL; StrCpyValor copies at most 12 digits from the first 16 characters.
TEST(DigitsOfDecimalText, DatabaseAmountsAndCopiedDigits) {
  const auto bd = [](const char *in, unsigned short n) { return TEXT_OF(13, ConvertValorFromBD2Bit4(o, in, n)); };
  const auto copy = [](const char *in) { return TEXT_OF(14, StrCpyValor(o, in)); };
  const std::string cases[][2] = {
      {bd("123.45", 6), "000000012345#"},  {bd("1234,5", 6), "000000123450#"},
      {bd("12", 2), "000000001200#"},      {bd("1.999", 5), "000000000199#"},
      {bd("R$ 7,05", 7), "000000000705#"}, {bd("", 0), "000000000000#"},
      {bd("1234567890.12", 13), "123456789012#"}, {bd("123.45", 3), "000000012300#"},
      {copy("R$ 1.234,56"), "123456\0#######"s}, {copy("12345678901234567890"), "123456789012\0#"s},
      {copy("...............12345"), "1\0############"s}, {copy(""), "\0#############"s},
  };
  vl::test::expect_rows(cases);
}

TEST(ValorLimiteOffLine, ComparesWithTheHexLimitAsSignedValues) {
  struct { const char *amount, *limit; int result; } cases[] = {
      {"5000", "00001388", 1}, {"5000", "00001387", 0}, {"5000", "00000000", 0},
      {"5000", "0001388", 0},  {"5000", "000013880", 0}, {"000000005001", "00001388", 0},
      {"5000", "80000000", 0},  // the limit counts as negative
      {"-5", "FFFFFFFF", 1},   {"99999999999", "7FFFFFFF", 1},  // clamped to 2147483647
  };
  for (const auto &c : cases)
    EXPECT_EQ(ValorLimiteOffLine(c.amount, c.limit), c.result) << c.amount << " " << c.limit;
}

TEST(AmountsOutsideTheContract, NullTextsAreRefused) {
  RetiraVirgula(nullptr);
  EXPECT_EQ(RetiraVirgulaEx(nullptr, 10), 0);
  EXPECT_EQ(ConvertValorToFloat(nullptr), 0.0f);
  EXPECT_EQ(ValorLimiteOffLine(nullptr, "000003E8") + ValorLimiteOffLine("100", nullptr), 0);
}

}  // namespace
