#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "vertalib/amounts.h"
#include "vertalib/frame.h"

namespace {

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

TEST(FormatValor, HasABufferPerThreadInLibraryModeOne) {
  SetLibMode(1);
  const char *cases[][2] = {{"000000000001", "0,01"}, {"000000000022", "0,22"},
                            {"000000000333", "3,33"}, {"000000004444", "44,44"}};
  std::vector<int> mismatches(4, 0);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < 2000; ++i)
        mismatches[t] += std::strcmp(FormatValor(cases[t][0], 12), cases[t][1]) != 0 ? 1 : 0;
    });
  for (auto &thread : threads) thread.join();
  EXPECT_EQ(mismatches, std::vector<int>(4, 0));
  const char *main_buffer = FormatValor("1", 1);
  const char *other_buffer = nullptr;
  std::thread([&] { other_buffer = FormatValor("2", 1); }).join();
  EXPECT_NE(main_buffer, other_buffer);
  SetLibMode(0);
}

TEST(FormatValor, SharesOneBufferInLibraryModeZero) {
  SetLibMode(0);
  const char *main_buffer = FormatValor("000000000777", 12);
  const char *other_buffer = nullptr;
  std::thread([&] { other_buffer = FormatValor("000000000888", 12); }).join();
  EXPECT_EQ(main_buffer, other_buffer);
  EXPECT_STREQ(main_buffer, "8,88") << "the other thread's call overwrote the result";
}

TEST(AmountSums, RoundToWholeCentavosWithHalvesAwayFromZero) {
  EXPECT_STREQ(EditValorTransacao("000000000005", "-10"), "0,-5");
  EXPECT_STREQ(EditValorTransacao("-12345", "0"), "123,45");
  EXPECT_STREQ(EditValorTransacaoEx("1", "2", "3", "4", "000000100000"), "1.000,10");
  EXPECT_STREQ(SomaValorTransacao("2.5", "0", "0", "0"), "000000000003");
  EXPECT_STREQ(SubtraiValorTransacao("0", "2.5"), "0000000000-3");
  EXPECT_STREQ(SomaValorTransacao("1,99", "abc", " 7", "0x10"), "000000000008")
      << "',' ends a number; text that is not a number reads as 0";
  EXPECT_STREQ(SomaValorTransacao("999999999999", "1", "", ""), "1000000000000")
      << "a result wider than 12 characters is written whole";
  char *sum = SomaValorTransacao("2", "", "", "");
  EXPECT_EQ(SomaValorTransacao("1", "", "", ""), sum);
  EXPECT_STREQ(SubtraiValorTransacao("000000000005", "000000000010"), "0000000000-5");
  EXPECT_STREQ(sum, "000000000001") << "sums and differences have separate buffers";
}

TEST(AmountSums, ExFormsCopyWithTheNulOrClearOutSize) {
  char out[16];
  auto sum = [&](unsigned short size, const char *a, const char *b) {
    std::memset(out, '#', sizeof out);
    SomaValorTransacaoEx(out, size, a, b, "", "");
    return std::string(out, sizeof out);
  };
  EXPECT_EQ(sum(12, "000000000100", "000000000023"), std::string("000000000123\0###", 16));
  EXPECT_EQ(sum(11, "000000000100", ""), std::string(11, '\0') + "#####");
  std::memset(out, '#', sizeof out);
  SubtraiValorTransacaoEx(out, 12, "5", "10");
  EXPECT_EQ(std::string(out, 16), std::string("0000000000-5\0###", 16));
}

// The in-place editors as edit(text, n) -> result, -1 for those without a result.
// RetiraSeparadorMilharDecimal refuses with 0 and leaves the text unchanged.
TEST(SeparatorEditing, EditsTheSeparatorsInPlace) {
  using Edit = int (*)(char *, int);
  const Edit cut = [](char *text, int) { RetiraVirgula(text); return -1; };
  const Edit counted = RetiraVirgulaEx;
  const Edit grouped = [](char *text, int) { return RetiraSeparadorMilharDecimal(text); };
  const Edit to_point = [](char *text, int n) { SubstituiVirgulaPorPonto(text, n); return -1; };
  const Edit comma = [](char *text, int n) { StrInsertVirgula(text, n); return -1; };
  struct { Edit edit; const char *text; int n, result; const char *edited; } cases[] = {
      {cut, "1.234,56", 0, -1, "123456"}, {cut, "12.345.678,90", 0, -1, "123456789"},
      {cut, "123", 0, -1, "123"},   {cut, "12345", 0, -1, "12345"}, {cut, "1,2", 0, -1, "1,2"},
      {counted, "1234,56", 32, 1, "123456"}, {counted, "1.234,56", 32, 0, "123456"},
      {counted, "1234,56", 4, 1, "123"},     {counted, "12345", 32, 0, "12345"},
      {counted, "12,34", 0, 0, "12,34"},
      {grouped, "1.234,56", 0, 1, "123456"}, {grouped, "12,34", 0, 1, "1234"},
      {grouped, "123.456,78", 0, 1, "12345678"}, {grouped, "1234,56", 0, 1, "123456"},
      {grouped, "1,23", 0, 1, "123"},        {grouped, "1,234.56", 0, 1, "123456"},
      {grouped, "9.999.999.999,99", 0, 1, "999999999999"},
      {grouped, "12345,67", 0, 0, "12345,67"}, {grouped, "1.23,45", 0, 0, "1.23,45"},
      {grouped, "123", 0, 0, "123"},         {grouped, "1.234;56", 0, 0, "1.234;56"},
      {grouped, "1.2a4,56", 0, 0, "1.2a4,56"}, {grouped, "1,234,56", 0, 0, "1,234,56"},
      {grouped, "12.345.678.901,23", 0, 0, "12.345.678.901,23"},
      {to_point, "1,2,3,4", 4, -1, "1.2.3,4"},
      {comma, "12345", 5, -1, "123,45"}, {comma, "5", 1, -1, "0,05"}, {comma, "", 0, -1, "0,00"},
      {comma, "00012", 5, -1, "000,12"}, {comma, "42", 2, -1, "0,42"},
      {comma, "123456", 3, -1, "1,23"},  {comma, "99", 0, -1, "0,00"},
  };
  for (const auto &c : cases) {
    char text[32];
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(c.edit(std::strcpy(text, c.text), c.n), c.result) << c.text << " " << c.n;
    EXPECT_STREQ(text, c.edited) << c.text << " " << c.n;
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
  for (const auto &c : cases) {
    char out[24];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(FormataValorDbl(c.centavos, out), c.result) << c.centavos;
    EXPECT_EQ(std::string(out, std::strlen(c.shown) + 1), std::string(c.shown) + '#');
  }
  struct { const char *digits; unsigned char decimals; const char *shown; } decimal[] = {
      {"000012345", 2, "123,45"}, {"1234567", 3, "1.234,567"}, {"5", 2, "0,05"},
      {"123", 0, "123,"},         {"000", 2, "0,00"},          {"12", 3, "0,012"},
      {"1234567890", 2, "12.345.678,90"},                      {"", 0, "0,0"},
  };
  for (const auto &c : decimal) {
    char out[32];
    const int length = static_cast<int>(std::strlen(c.digits));
    EXPECT_EQ(FormataValorDecimal(c.digits, length, c.decimals, out),
              static_cast<int>(std::strlen(c.shown)));
    EXPECT_STREQ(out, c.shown) << c.digits;
  }
}

TEST(FloatForms, TwoImpliedDecimalsInAndRoundedDecimalsOut) {
  EXPECT_EQ(ConvertValorToFloat("5"), 0.05f);
  EXPECT_EQ(ConvertValorToFloat("42"), 0.42f);
  EXPECT_EQ(ConvertValorToFloat("12345"), 123.45f);
  EXPECT_EQ(ConvertValorToFloat(""), 0.0f);
  EXPECT_EQ(ASC2Float("12345999", 5), 123.45f);
  EXPECT_EQ(ASC2Float("7", 40), 0.07f);
  struct { double value; const char *text; } cases[] = {
      {123.456, "123.46"}, {0.5, "0.50"},   {0.05, "0.05"}, {0.0, "0.000"},
      {-1.5, "1.50"},      {0.125, "0.13"}, {999999999999.99, "999999999999.99"},
  };
  for (const auto &c : cases) EXPECT_STREQ(DoubleToValor(c.value), c.text) << c.value;
  EXPECT_EQ(DoubleToValor(1.0), DoubleToValor(2.0)) << "one library buffer";
  char out[16] = "untouched";
  auto rounded = [&](int size, int decimals, const char *in) {
    SomaStrNumeroDecimal(out, size, decimals, in);
    return std::string(out);
  };
  EXPECT_EQ(rounded(6, 2, "1234.5"), "untouched") << "1234.50 has 7 characters";
  EXPECT_EQ(rounded(7, 2, "1234.5"), "1234.50");
  EXPECT_EQ(rounded(15, 2, "0.125"), "0.13");
  EXPECT_EQ(rounded(15, 0, " 2.5"), "3");
  EXPECT_EQ(rounded(15, 3, "-1.5"), "-1.500");
}

// ConvertValorFromBD2Bit4 aligns the decimals on the last two of 12 places and writes no
// NUL; StrCpyValor copies at most 12 digits from the first 16 characters.
TEST(DigitsOfDecimalText, DatabaseAmountsAndCopiedDigits) {
  struct { const char *in; const char *amount; int in_len = -1; } cases[] = {
      {"123.45", "000000012345"}, {"1234,5", "000000123450"},  {"12", "000000001200"},
      {"1.999", "000000000199"},  {"R$ 7,05", "000000000705"}, {"", "000000000000"},
      {"1234567890.12", "123456789012"}, {"123.45", "000000012300", 3},  // only inLen read
  };
  for (const auto &c : cases) {
    char out[16];
    std::memset(out, '#', sizeof out);
    const size_t in_len = c.in_len < 0 ? std::strlen(c.in) : static_cast<size_t>(c.in_len);
    ConvertValorFromBD2Bit4(out, c.in, static_cast<unsigned short>(in_len));
    EXPECT_EQ(std::string(out, 13), std::string(c.amount) + '#') << c.in << " " << in_len;
  }
  const char *copies[][2] = {{"R$ 1.234,56", "123456"}, {"12345678901234567890", "123456789012"},
                             {"...............12345", "1"}, {"", ""}};
  for (const auto &c : copies) {
    char out[20];
    std::memset(out, '#', sizeof out);
    StrCpyValor(out, c[0]);
    EXPECT_STREQ(out, c[1]) << c[0];
  }
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
  EXPECT_EQ(ValorLimiteOffLine(nullptr, "000003E8"), 0);
  EXPECT_EQ(ValorLimiteOffLine("100", nullptr), 0);
  EXPECT_EQ(ValorLimiteOffLine("100", "000003E8"), 1);
}

}  // namespace
