#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "vertalib/amounts.h"

namespace {

std::string words(double centavos) {
  char out[256];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(Extenso(centavos, out, 0), 0);
  return out;
}

std::vector<std::string> lines(double centavos, int width) {
  char out[600];
  std::memset(out, '#', sizeof out);
  const int count = Extenso(centavos, out, width);
  std::vector<std::string> result;
  EXPECT_EQ(std::strlen(out), static_cast<size_t>(count * width));
  for (int i = 0; i < count; ++i) result.emplace_back(out + i * width, static_cast<size_t>(width));
  return result;
}

TEST(Extenso, WritesEachRuleOfTheWords) {
  struct Case {
    double centavos;
    const char *text;
  } cases[] = {
      {0, ""},
      {1, "UM CENTAVOS"},
      {50, "CINQUENTA CENTAVOS"},
      {100, "UM REAL"},
      {101, "UM REAL E UM CENTAVOS"},
      {200, "DOIS REAIS"},
      {1500, "QUINZE REAIS"},
      {2100, "VINTE E UM REAIS"},
      {10000, "CEM REAIS"},
      {10100, "CENTO E UM REAIS"},
      {11500, "CENTO E QUINZE REAIS"},
      {12345, "CENTO E VINTE E TRES REAIS E QUARENTA E CINCO CENTAVOS"},
      {99900, "NOVECENTOS E NOVENTA E NOVE REAIS"},
      {100000, "UM MIL REAIS"},
      {110000, "UM MIL E CEM REAIS"},
      {150050, "UM MIL E QUINHENTOS REAIS E CINQUENTA CENTAVOS"},
      {123456, "UM MIL DUZENTOS E TRINTA E QUATRO REAIS E CINQUENTA E SEIS CENTAVOS"},
      {1000100, "DEZ MIL E UM REAIS"},
      {100000000, "UM MILHAO DE REAIS"},
      {100000050, "UM MILHAO DE REAIS E CINQUENTA CENTAVOS"},
      {200000000, "DOIS MILHOES DE REAIS"},
      {150020000, "UM MILHAO QUINHENTOS MIL E DUZENTOS REAIS"},
      {100000100, "UM MILHAO E UM REAIS"},
      {100000000000, "UM BILHAO DE REAIS"},
      {250000000000, "DOIS BILHOES E QUINHENTOS MILHOES DE REAIS"},
  };
  for (const Case &c : cases) EXPECT_EQ(words(c.centavos), c.text) << c.centavos;
}

TEST(Extenso, TheLargestAmountsAndTheLongestText) {
  EXPECT_EQ(words(99999999999999.0),
            "NOVECENTOS E NOVENTA E NOVE BILHOES NOVECENTOS E NOVENTA E NOVE MILHOES "
            "NOVECENTOS E NOVENTA E NOVE MIL NOVECENTOS E NOVENTA E NOVE REAIS E NOVENTA "
            "E NOVE CENTAVOS");
  // The longest words of a group are those of 454; callers size out for this text.
  const std::string longest = words(45445445445454.0);
  EXPECT_EQ(longest.size(), 191u);
  EXPECT_EQ(longest.substr(0, 45), "QUATROCENTOS E CINQUENTA E QUATRO BILHOES QUA");
}

TEST(Extenso, CutsIntoLinesHyphenatingAtTheBreakableLetters) {
  const std::vector<std::string> expected20 = {
      "UM MILHAO DUZENTOS E", "TRINTA E QUATRO MIL ", "QUINHENTOS E SESSEN-",
      "TA E SETE REAIS E   ", "OITENTA E NOVE CEN- ", "TAVOS               ",
  };
  EXPECT_EQ(lines(123456789, 20), expected20);

  const std::vector<std::string> cut30 = lines(9876543210.0, 30);
  ASSERT_EQ(cut30.size(), 4u);
  EXPECT_EQ(cut30[0], "NOVENTA E OITO MILHOES SETE-  ");
  EXPECT_EQ(cut30[1].substr(0, 6), "CENTOS");
}

TEST(Extenso, WordsOfUnbreakableLettersMoveWholeOrAreCutWithoutHyphen) {
  // MILHOES has only unbreakable letters: cut by the line end it moves whole to the next
  // line; a breakable letter at the line end ("D" of DE) is a split point on its own.
  const std::vector<std::string> cut = lines(200000000, 9);
  const std::vector<std::string> expected = {"DOIS     ", "MILHOES  ", "DE REAIS "};
  EXPECT_EQ(cut, expected);
}

TEST(Extenso, NarrowLinesCutWordsWithoutHyphenAndPadOnlyByTheTextLength) {
  // "DOI": no place to hyphenate inside the line, so the word is cut as it stands. The
  // text has 21 characters, a multiple of 3, so the short last line is not padded: its
  // free places keep the line's NULs.
  char out[64];
  std::memset(out, '#', sizeof out);
  ASSERT_EQ(Extenso(200000000, out, 3), 8);
  EXPECT_EQ(std::string(out, 25), std::string("DOIS  MILHOES  DE REAIS\0\0", 25));
  EXPECT_EQ(out[25], '#');
}

TEST(Extenso, ZeroWithALineWidthGivesNoLines) {
  char out[8];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(Extenso(0, out, 10), 0);
  EXPECT_STREQ(out, "");
}

TEST(Extenso, ALineWidthBeyondTheWorkAreaLeavesTheWordsUncut) {
  char out[600];
  EXPECT_EQ(Extenso(150050, out, 480), 0);
  EXPECT_STREQ(out, "UM MIL E QUINHENTOS REAIS E CINQUENTA CENTAVOS");
}

}  // namespace
