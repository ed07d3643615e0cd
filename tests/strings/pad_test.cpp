#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "strings/patterned.h"
#include "vertalib/strings.h"

namespace {

TEST(CheckedPadders, PadOnTheirSideAndTerminateOnRequest) {
  Patterned<10> out;
  EXPECT_EQ(InsereZeroEsquerdaEx(out.bytes, 6, 1, "123", 10), 1) << "srcLen clamps to the text";
  EXPECT_EQ(out.all(), with("000123\0", 7, 10));
  EXPECT_EQ(InsereEspacosDireita(out.bytes, 5, 1, "ABCDE", 5), 1);
  EXPECT_EQ(out.all(), with("ABCDE\0\0", 7, 10));

  Patterned<10> bare;
  EXPECT_EQ(InsereEspacosEsquerda(bare.bytes, 4, 0, "ab", 2), 1);
  EXPECT_EQ(bare.all(), with("  ab", 4, 10)) << "no NUL without terminate";
  EXPECT_EQ(InsereZeroDireitaEx(bare.bytes, 5, 0, "12345678", 2), 1) << "the text clamps to srcLen";
  EXPECT_EQ(bare.all(), with("12000", 5, 10));
  EXPECT_EQ(InsereCharEsquerdaEx(bare.bytes, 3, 0, "7", 1, '*'), 1);
  EXPECT_EQ(InsereCharDireitaEx(bare.bytes + 3, 3, 0, "7", 1, '-'), 1);
  EXPECT_EQ(bare.all(), with("**77--", 6, 10));
}

TEST(CheckedPadders, RefuseWithoutWritingAnything) {
  Patterned<8> out;
  const std::string untouched = out.all();
  EXPECT_EQ(InsereZeroEsquerdaEx(out.bytes, 2, 1, "123", 3), 0);
  EXPECT_EQ(InsereEspacosDireita(out.bytes, 2, 1, "123", 3), 0);
  EXPECT_EQ(InsereCharEsquerdaEx(out.bytes, 4, 1, "12", 2, '\0'), 0) << "fill 0 with padding";
  EXPECT_EQ(InsereEspacosEsquerda(nullptr, 4, 1, "12", 2), 0);
  EXPECT_EQ(InsereZeroDireitaEx(out.bytes, 4, 1, nullptr, 2), 0);
  EXPECT_EQ(out.all(), untouched);
  EXPECT_EQ(InsereCharEsquerdaEx(out.bytes, 3, 1, "123", 3, '\0'), 1) << "no padding, no fill";
  EXPECT_EQ(out.all(), with("123\0", 4, 8));
}

TEST(UncheckedPadders, WriteExactlyTheirWidth) {
  Patterned<8> left;
  InsereZeroEsquerda(left.bytes, 3, "12345", 5);
  EXPECT_EQ(left.all(), with("123\0", 4, 8)) << "a longer source gives its first characters";
  InsereCharEsquerda(left.bytes, 5, "12", 3, '.');
  EXPECT_EQ(left.all(), std::string(".." "12\0\0" "##", 8)) << "srcLen is taken as given";

  Patterned<8> right;
  InsereZeroDireita(right.bytes, 5, "12", 2);
  EXPECT_EQ(right.all(), with("12000", 5, 8));
  InsereCharDireita(right.bytes, 3, "abcdef", 40, '-');
  EXPECT_EQ(right.all(), with("abc00", 5, 8));
  InsereCharDireita(right.bytes, 4, "ab", 40, '-');
  EXPECT_EQ(right.all(), with("ab--0", 5, 8)) << "the source stops at its NUL";

  Patterned<8> blank;
  CopyCompletaBranco(blank.bytes, 6, "xyz", 2);
  EXPECT_EQ(blank.all(), with("xy    ", 6, 8));
  CopyCompletaBranco(blank.bytes, 2, "abcd", 4);
  EXPECT_EQ(blank.all(), with("ab    ", 6, 8));
}

TEST(Justification, PrependsSpacesInPlace) {
  Patterned<12> right("AB");
  JustRight(right.bytes, 5);
  EXPECT_EQ(right.all(), with("   AB\0", 6, 12));
  JustRight(right.bytes, 3);
  EXPECT_EQ(right.all(), with("   AB\0", 6, 12)) << "a text already wider stays";

  Patterned<12> centred("AB");
  Center(centred.bytes, 7);
  EXPECT_EQ(centred.all(), with("  AB\0", 5, 12)) << "nothing is appended";
  Center(centred.bytes, 7);
  EXPECT_STREQ(centred.bytes, "   AB") << "(7 - 4) / 2 rounds down";
}

TEST(Justification, WorkAreaLimitsTheWidth) {
  char text[200];
  std::memset(text, '#', sizeof text);
  std::strcpy(text, "AB");
  JustRight(text, 128);
  EXPECT_EQ(std::string(text, 130), std::string(126, ' ') + "AB" + '\0' + '#');
  std::strcpy(text, "AB");
  Center(text, 128);
  EXPECT_EQ(std::string(text, 66), std::string(63, ' ') + "AB" + '\0');

  std::strcpy(text, "AB");
  JustRight(text, 129);
  EXPECT_EQ(std::string(text, 3), std::string("\0B\0", 3)) << "only the first byte is cleared";
  std::strcpy(text, "AB");
  Center(text, 200);
  EXPECT_EQ(text[0], '\0');

  std::memset(text, 'x', 150);
  text[150] = '\0';
  JustRight(text, 100);
  Center(text, 120);
  EXPECT_EQ(std::strlen(text), 150u) << "a text wider than the area stays when the width allows";
}

TEST(InPlaceEdits, TrimReplaceAndUpperCase) {
  Patterned<10> trailing("a b   ");
  RetiraEspacosADireita(trailing.bytes);
  EXPECT_EQ(trailing.all(), with("a b\0\0\0\0", 7, 10));
  char spaces[] = "   ";
  RetiraEspacosADireita(spaces);
  EXPECT_EQ(std::memcmp(spaces, "\0\0\0", 4), 0);

  char blanks[] = " 1 2 3";
  SubstituiBrancosPorZeros(blanks, 4);
  EXPECT_STREQ(blanks, "0102 3");
  char short_text[] = " 1\0 ";
  SubstituiBrancosPorZeros(short_text, 4);
  EXPECT_EQ(std::memcmp(short_text, "01\0 ", 5), 0) << "stops at the NUL";

  char mixed[] = "az\0by{`\xe7";
  StrToUpp(mixed, 7);
  EXPECT_EQ(std::memcmp(mixed, "AZ\0BY{`\xe7", 9), 0) << "past the NUL; only a..z change";
}

TEST(Predicates, TestAsciiClasses) {
  EXPECT_EQ(IsNumeric(""), 1);
  EXPECT_EQ(IsNumeric(" 12"), 0);
  EXPECT_EQ(IsNumericEx("12", 3), 0) << "the NUL is not a digit";
  EXPECT_EQ(IsNumericEx("12x", 2), 1);
  EXPECT_EQ(IsNumericEx("1", -1), 0);
  EXPECT_EQ(IsNumericEx(nullptr, 0), 1) << "count 0 reads nothing";
  EXPECT_EQ(IsAlphabet("AZaz"), 1);
  EXPECT_EQ(IsAlphabet("@[`{"), 0);
  EXPECT_EQ(IsAlphaNumeric("Ab19"), 1);
  EXPECT_EQ(IsAlphaNumeric("\xc7"), 0);
  EXPECT_EQ(IsNumberDotComma("1.234,56"), 1);
  EXPECT_EQ(IsNumberDotComma("1/2"), 0);
  EXPECT_EQ(IsBlank("   "), 1);
  EXPECT_EQ(IsBlank(" x"), 0);
  EXPECT_EQ(IsBlank("\t"), 0) << "only the space is blank";
}

}  // namespace
