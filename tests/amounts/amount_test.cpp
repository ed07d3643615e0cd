#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "vertalib/amounts.h"
#include "vertalib/frame.h"

namespace {

std::string display(const char *digits) {
  return FormatValor(digits, static_cast<int>(std::strlen(digits)));
}

TEST(FormatValor, LaysTheDigitsOntoTheDisplayMask) {
  EXPECT_EQ(display("000000000005"), "0,05");
  EXPECT_EQ(display("000000012345"), "123,45");
  EXPECT_EQ(display("123456789012"), "1.234.567.890,12");
  EXPECT_EQ(display("000000000000"), "0,00");
  EXPECT_EQ(display("000000100000"), "1.000,00");
  EXPECT_EQ(FormatValor("000000012345", 0), std::string());
  // Short inputs without leading zeros start at the mask's first position.
  EXPECT_EQ(display("12345"), "1.234.5");
  EXPECT_EQ(display("123"), "1.23");
  // Blanks and a minus sign lead like zeros; three characters always remain.
  EXPECT_EQ(display("     1234567"), "12.345,67");
  EXPECT_EQ(display("0000000000-5"), "0,-5");
  EXPECT_EQ(display("000"), "0.00");
  // Only length characters are read.
  EXPECT_STREQ(FormatValor("000000012345999", 12), "123,45");
}

TEST(FormatValor, MoreThanTwelveCharactersStopAtTheMasksEnd) {
  EXPECT_EQ(display("12345678901234"), "1.234.567.890,12");
}

TEST(AmountSums, RoundToWholeCentavosWithHalvesAwayFromZero) {
  EXPECT_STREQ(EditValorTransacao("000000000150", "000000000250"), "4,00");
  EXPECT_STREQ(SomaValorTransacao("", "", "", ""), "000000000000");
  EXPECT_STREQ(SubtraiValorTransacao("000000000005", "000000000010"), "0000000000-5");
  EXPECT_STREQ(EditValorTransacao("000000000005", "-10"), "0,-5");
  EXPECT_STREQ(EditValorTransacao("-12345", "0"), "123,45");
  EXPECT_STREQ(EditValorTransacaoEx("1", "2", "3", "4", "000000100000"), "1.000,10");
  EXPECT_STREQ(SomaValorTransacao("2.5", "0", "0", "0"), "000000000003");
  EXPECT_STREQ(SomaValorTransacao("0.5", "", "", ""), "000000000001");
  EXPECT_STREQ(SubtraiValorTransacao("0", "2.5"), "0000000000-3");
  EXPECT_STREQ(SomaValorTransacao("1,99", "abc", " 7", "0x10"), "000000000008")
      << "',' ends a number; text that is not a number reads as 0";
  EXPECT_STREQ(SomaValorTransacao("999999999999", "1", "", ""), "1000000000000")
      << "a result wider than 12 characters is written whole";
}

TEST(AmountSums, ResultBuffersBelongToTheLibraryAndAreReused) {
  char *first = SomaValorTransacao("1", "", "", "");
  char *second = SomaValorTransacao("2", "", "", "");
  EXPECT_EQ(first, second);
  EXPECT_STREQ(first, "000000000002");
  char *difference = SubtraiValorTransacao("9", "1");
  EXPECT_NE(difference, first);
  EXPECT_STREQ(first, "000000000002") << "sums and differences have separate buffers";
}

TEST(AmountSums, ExFormsCopyWithTheNulOrClearOutSize) {
  char out[16];
  std::memset(out, '#', sizeof out);
  SomaValorTransacaoEx(out, 12, "000000000100", "000000000023", "", "");
  EXPECT_EQ(std::memcmp(out, "000000000123\0###", 16), 0);

  std::memset(out, '#', sizeof out);
  SomaValorTransacaoEx(out, 11, "000000000100", "", "", "");
  EXPECT_EQ(std::memcmp(out, "\0\0\0\0\0\0\0\0\0\0\0#####", 16), 0);

  std::memset(out, '#', sizeof out);
  SubtraiValorTransacaoEx(out, 12, "5", "10");
  EXPECT_EQ(std::memcmp(out, "0000000000-5\0###", 16), 0);
}

TEST(FormatValor, HasABufferPerThreadInLibraryModeOne) {
  SetLibMode(1);
  std::vector<std::thread> threads;
  std::vector<int> mismatches(4, 0);
  const char *inputs[] = {"000000000001", "000000000022", "000000000333", "000000004444"};
  const char *expected[] = {"0,01", "0,22", "3,33", "44,44"};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 2000; ++i) {
        const char *shown = FormatValor(inputs[t], 12);
        if (std::strcmp(shown, expected[t]) != 0) ++mismatches[static_cast<size_t>(t)];
      }
    });
  }
  for (auto &thread : threads) thread.join();
  for (int t = 0; t < 4; ++t) EXPECT_EQ(mismatches[static_cast<size_t>(t)], 0) << t;

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

TEST(SeparatorRemoval, RetiraVirgulaKeepsTheFirstTwelveCharactersLessSeparators) {
  char text[32];
  std::strcpy(text, "1.234,56");
  RetiraVirgula(text);
  EXPECT_STREQ(text, "123456");
  std::strcpy(text, "12.345.678,90");
  RetiraVirgula(text);
  EXPECT_STREQ(text, "123456789") << "the characters after the twelfth are lost";
  for (const char *unchanged : {"123", "12345", "1,2"}) {
    std::strcpy(text, unchanged);
    RetiraVirgula(text);
    EXPECT_STREQ(text, unchanged);
  }
}

TEST(SeparatorRemoval, RetiraVirgulaExTellsWhetherAtMostOneSeparatorWasDropped) {
  char text[32];
  std::strcpy(text, "1234,56");
  EXPECT_EQ(RetiraVirgulaEx(text, 32), 1);
  EXPECT_STREQ(text, "123456");
  std::strcpy(text, "1.234,56");
  EXPECT_EQ(RetiraVirgulaEx(text, 32), 0);
  EXPECT_STREQ(text, "123456");
  std::strcpy(text, "1234,56");
  EXPECT_EQ(RetiraVirgulaEx(text, 4), 1);
  EXPECT_STREQ(text, "123") << "at most maxLen - 1 characters are kept";
  std::strcpy(text, "12345");
  EXPECT_EQ(RetiraVirgulaEx(text, 32), 0);
  EXPECT_STREQ(text, "12345");
  std::strcpy(text, "12,34");
  EXPECT_EQ(RetiraVirgulaEx(text, 0), 0);
  EXPECT_STREQ(text, "12,34");
}

TEST(SeparatorRemoval, RetiraSeparadorMilharDecimalChecksTheGrouping) {
  struct Case {
    const char *text;
    const char *digits;
  } accepted[] = {
      {"1.234,56", "123456"},         {"12.345,67", "1234567"},      {"123.456,78", "12345678"},
      {"1.234.567,89", "123456789"}, {"1234,56", "123456"},         {"12,34", "1234"},
      {"1,23", "123"},               {"1,234.56", "123456"},        {"9.999.999.999,99", "999999999999"},
  };
  for (const Case &c : accepted) {
    char text[32];
    std::strcpy(text, c.text);
    EXPECT_EQ(RetiraSeparadorMilharDecimal(text), 1) << c.text;
    EXPECT_STREQ(text, c.digits) << c.text;
  }
  for (const char *rejected : {"12345,67", "1.23,45", "123", "1.234;56", "1.2a4,56", "1,234,56",
                               "12.345.678.901,23", "-1.234,56"}) {
    char text[32];
    std::strcpy(text, rejected);
    EXPECT_EQ(RetiraSeparadorMilharDecimal(text), 0) << rejected;
    EXPECT_STREQ(text, rejected);
  }
}

TEST(SeparatorEditing, CommaToPointAndInsertedComma) {
  char text[32];
  std::strcpy(text, "1,2,3,4");
  SubstituiVirgulaPorPonto(text, 4);
  EXPECT_STREQ(text, "1.2.3,4");

  struct Case {
    const char *text;
    int length;
    const char *edited;
  } cases[] = {
      {"12345", 5, "123,45"}, {"5", 1, "0,05"},   {"7", 1, "0,07"},     {"", 0, "0,00"},
      {"00012", 5, "000,12"}, {"42", 2, "0,42"},  {"123456", 3, "1,23"}, {"99", 0, "0,00"},
  };
  for (const Case &c : cases) {
    std::memset(text, '#', sizeof text);
    std::strcpy(text, c.text);
    StrInsertVirgula(text, c.length);
    EXPECT_STREQ(text, c.edited) << c.text << " " << c.length;
  }
}

TEST(StrCpyValor, CopiesAtMostTwelveDigitsFromTheFirstSixteenCharacters) {
  char out[20];
  StrCpyValor(out, "R$ 1.234,56");
  EXPECT_STREQ(out, "123456");
  StrCpyValor(out, "12345678901234567890");
  EXPECT_STREQ(out, "123456789012");
  StrCpyValor(out, "...............12345");
  EXPECT_STREQ(out, "1") << "only the first 16 characters are looked at";
  StrCpyValor(out, "");
  EXPECT_STREQ(out, "");
}

TEST(FormataValorDbl, EditsTwelveRoundedDigitsWithoutANul) {
  struct Case {
    double centavos;
    const char *shown;
    int result;
  } cases[] = {
      {12345, "123,45", 6},
      {-5, "-0,05", 4},
      {0, "0,00", 4},
      {50, "0,50", 4},
      {100, "1,00", 4},
      {123456789012.0, "1.234.567.890,12", 16},
      {1234567890123.0, "2.345.678.901,23", 16},
      {2.5, "0,03", 4},
      {-100000, "-1.000,00", 8},
  };
  for (const Case &c : cases) {
    char out[24];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(FormataValorDbl(c.centavos, out), c.result) << c.centavos;
    const size_t length = std::strlen(c.shown);
    EXPECT_EQ(std::string(out, length), c.shown);
    EXPECT_EQ(out[length], '#') << "no NUL after " << c.shown;
  }
}

TEST(FormataValorDecimal, PlacesTheCommaByTheDecimalsGiven) {
  struct Case {
    const char *digits;
    unsigned char decimals;
    const char *shown;
  } cases[] = {
      {"000012345", 2, "123,45"}, {"1234567", 3, "1.234,567"}, {"5", 2, "0,05"},
      {"123", 0, "123,"},         {"000", 2, "0,00"},          {"12", 3, "0,012"},
      {"1234567890", 2, "12.345.678,90"},                      {"", 0, "0,0"},
  };
  for (const Case &c : cases) {
    char out[32];
    const int length = FormataValorDecimal(c.digits, static_cast<int>(std::strlen(c.digits)),
                                           c.decimals, out);
    EXPECT_STREQ(out, c.shown) << c.digits;
    EXPECT_EQ(length, static_cast<int>(std::strlen(c.shown)));
  }
}

TEST(FloatForms, TwoImpliedDecimals) {
  EXPECT_EQ(ConvertValorToFloat("5"), 0.05f);
  EXPECT_EQ(ConvertValorToFloat("12345"), 123.45f);
  EXPECT_EQ(ConvertValorToFloat("42"), 0.42f);
  EXPECT_EQ(ConvertValorToFloat(""), 0.0f);
  EXPECT_EQ(ConvertValorToFloat("000000012345"), 123.45f);
  EXPECT_EQ(ASC2Float("12345999", 5), 123.45f);
  EXPECT_EQ(ASC2Float("7", 40), 0.07f);
}

TEST(ConvertValorFromBD2Bit4, AlignsTheDecimalsOnTheLastTwoPlaces) {
  struct Case {
    const char *in;
    const char *amount;
  } cases[] = {
      {"123.45", "000000012345"}, {"1234,5", "000000123450"}, {"12", "000000001200"},
      {"1.999", "000000000199"},  {"R$ 7,05", "000000000705"}, {"", "000000000000"},
      {"1234567890.12", "123456789012"},
  };
  for (const Case &c : cases) {
    char out[16];
    std::memset(out, '#', sizeof out);
    ConvertValorFromBD2Bit4(out, c.in, static_cast<unsigned short>(std::strlen(c.in)));
    EXPECT_EQ(std::string(out, 12), c.amount) << c.in;
    EXPECT_EQ(out[12], '#') << "no NUL";
  }
  char out[13] = {};
  ConvertValorFromBD2Bit4(out, "123.45", 3);
  EXPECT_STREQ(out, "000000012300") << "only inLen characters are read";
}

TEST(DoubleToValor, TwoDecimalsOrThreeForZero) {
  EXPECT_STREQ(DoubleToValor(123.456), "123.46");
  EXPECT_STREQ(DoubleToValor(0.5), "0.50");
  EXPECT_STREQ(DoubleToValor(0.05), "0.05");
  EXPECT_STREQ(DoubleToValor(0.0), "0.000");
  EXPECT_STREQ(DoubleToValor(-1.5), "1.50");
  EXPECT_STREQ(DoubleToValor(0.125), "0.13");
  EXPECT_STREQ(DoubleToValor(999999999999.99), "999999999999.99");
  EXPECT_EQ(DoubleToValor(1.0), DoubleToValor(2.0)) << "one library buffer";
}

TEST(SomaStrNumeroDecimal, RoundsToTheDecimalsAndCopiesOnlyWhatFits) {
  char out[16];
  SomaStrNumeroDecimal(out, 15, 2, "0.125");
  EXPECT_STREQ(out, "0.13");
  SomaStrNumeroDecimal(out, 15, 0, " 2.5");
  EXPECT_STREQ(out, "3");
  SomaStrNumeroDecimal(out, 15, 3, "-1.5");
  EXPECT_STREQ(out, "-1.500");
  std::strcpy(out, "untouched");
  SomaStrNumeroDecimal(out, 5, 2, "1234.5");
  EXPECT_STREQ(out, "untouched") << "1234.50 has 7 characters";
  SomaStrNumeroDecimal(out, 7, 2, "1234.5");
  EXPECT_STREQ(out, "1234.50");
}

TEST(ValorLimiteOffLine, ComparesWithTheHexLimitAsSignedValues) {
  EXPECT_EQ(ValorLimiteOffLine("5000", "00001388"), 1);
  EXPECT_EQ(ValorLimiteOffLine("5000", "00001387"), 0);
  EXPECT_EQ(ValorLimiteOffLine("5000", "00000000"), 0);
  EXPECT_EQ(ValorLimiteOffLine("5000", "0001388"), 0);
  EXPECT_EQ(ValorLimiteOffLine("5000", "000013880"), 0);
  EXPECT_EQ(ValorLimiteOffLine("  000000005000", "00001388"), 1);
  EXPECT_EQ(ValorLimiteOffLine("5000", "80000000"), 0) << "the limit counts as negative";
  EXPECT_EQ(ValorLimiteOffLine("-5", "FFFFFFFF"), 1) << "-5 <= -1";
  EXPECT_EQ(ValorLimiteOffLine("99999999999", "7FFFFFFF"), 1) << "clamped to 2147483647";
}

}  // namespace
