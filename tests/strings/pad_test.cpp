#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "support/sentinel.h"
#include "vertalib/strings.h"

namespace {

using namespace std::string_literals;

TEST(CheckedPadders, PadOnTheirSideTerminateOnRequestAndRefuseWritingNothing) {
  EXPECT_EQ(written([](char *o) { return InsereZeroEsquerdaEx(o, 6, 1, "123", 10); }),
            "1 000123\0"s) << "srcLen clamps to the text";
  EXPECT_EQ(written([](char *o) { return InsereEspacosDireita(o, 5, 1, "AB", 5); }), "1 AB   \0"s);
  EXPECT_EQ(written([](char *o) { return InsereEspacosEsquerda(o, 4, 0, "ab", 2); }), "1   ab")
      << "no NUL without terminate";
  EXPECT_EQ(written([](char *o) { return InsereZeroDireitaEx(o, 5, 0, "12345678", 2); }), "1 12000")
      << "the text clamps to srcLen";
  EXPECT_EQ(written([](char *o) { return InsereCharEsquerdaEx(o, 3, 0, "7", 1, '*'); }), "1 **7");
  EXPECT_EQ(written([](char *o) { return InsereCharDireitaEx(o, 3, 0, "7", 1, '-'); }), "1 7--");
  EXPECT_EQ(written([](char *o) { return InsereCharEsquerdaEx(o, 3, 1, "123", 3, '\0'); }),
            "1 123\0"s) << "no padding needs no fill";

  EXPECT_EQ(written([](char *o) { return InsereZeroEsquerdaEx(o, 2, 1, "123", 3); }), "0 ");
  EXPECT_EQ(written([](char *o) { return InsereEspacosDireita(o, 2, 1, "123", 3); }), "0 ");
  EXPECT_EQ(written([](char *o) { return InsereCharEsquerdaEx(o, 4, 1, "12", 2, '\0'); }), "0 ")
      << "fill 0 with padding";
  EXPECT_EQ(written([](char *o) { return InsereZeroDireitaEx(o, 4, 1, nullptr, 2); }), "0 ");
  EXPECT_EQ(InsereEspacosEsquerda(nullptr, 4, 1, "12", 2), 0);
}

TEST(UncheckedPadders, WriteExactlyTheirWidth) {
  EXPECT_EQ(written([](char *o) { InsereZeroEsquerda(o, 3, "12345", 5); }), "123\0"s)
      << "a longer source gives its first characters";
  EXPECT_EQ(written([](char *o) { InsereCharEsquerda(o, 5, "12", 3, '.'); }), "..12\0\0"s)
      << "srcLen is taken as given";
  EXPECT_EQ(written([](char *o) { InsereZeroDireita(o, 5, "12", 2); }), "12000");
  EXPECT_EQ(written([](char *o) { InsereCharDireita(o, 3, "abcdef", 40, '-'); }), "abc");
  EXPECT_EQ(written([](char *o) { InsereCharDireita(o, 4, "ab", 40, '-'); }), "ab--")
      << "the source stops at its NUL";
  EXPECT_EQ(written([](char *o) { CopyCompletaBranco(o, 6, "xyz", 2); }), "xy    ");
  EXPECT_EQ(written([](char *o) { CopyCompletaBranco(o, 2, "abcd", 4); }), "ab");
}

TEST(Justification, PrependsSpacesInPlaceWithinTheWorkArea) {
  EXPECT_EQ(written([](char *t) { JustRight(t, 5); }, "AB"), "   AB\0"s);
  EXPECT_EQ(written([](char *t) { JustRight(t, 3); }, "ABCD"), "ABCD\0"s) << "already wider";
  EXPECT_EQ(written([](char *t) { Center(t, 7); }, "AB"), "  AB\0"s) << "nothing is appended";
  EXPECT_EQ(written([](char *t) { Center(t, 7); }, "  AB"), "   AB\0"s) << "rounds down";

  EXPECT_EQ(written<200>([](char *t) { JustRight(t, 128); }, "AB"), std::string(126, ' ') + "AB\0"s)
      << "the padded text fills the area";
  EXPECT_EQ(written<200>([](char *t) { Center(t, 128); }, "AB"), std::string(63, ' ') + "AB\0"s);
  EXPECT_EQ(written([](char *t) { JustRight(t, 129); }, "AB"), "\0B\0"s) << "only the first byte";
  EXPECT_EQ(written([](char *t) { Center(t, 200); }, "AB"), "\0B\0"s);
  const std::string wide(150, 'x');
  EXPECT_EQ(written<200>([](char *t) { JustRight(t, 100); Center(t, 120); }, wide.c_str()),
            wide + '\0') << "a text wider than the area stays when the width allows";
}

TEST(InPlaceEdits, TrimReplaceAndUpperCase) {
  EXPECT_EQ(written([](char *t) { RetiraEspacosADireita(t); }, "a b   "), "a b\0\0\0\0"s);
  EXPECT_EQ(written([](char *t) { RetiraEspacosADireita(t); }, "   "), "\0\0\0\0"s);
  EXPECT_EQ(written([](char *t) { SubstituiBrancosPorZeros(t, 4); }, " 1 2 3"), "0102 3\0"s);
  EXPECT_EQ(written([](char *t) { std::memcpy(t, " 1\0 ", 5); SubstituiBrancosPorZeros(t, 4); }),
            "01\0 \0"s) << "stops at the NUL";
  EXPECT_EQ(written([](char *t) { std::memcpy(t, "az\0by{`\xe7", 9); StrToUpp(t, 7); }),
            "AZ\0BY{`\xe7\0"s) << "past the NUL; only a..z change";
}

TEST(Predicates, TestAsciiClassesUpToTheirBounds) {
  const std::tuple<int (*)(const char *), const char *, int> cases[] = {
      {IsNumeric, "", 1},         {IsNumeric, "0189", 1},   {IsNumeric, " 12", 0},
      {IsNumeric, "/", 0},        {IsNumeric, ":", 0},      {IsAlphabet, "AZaz", 1},
      {IsAlphabet, "@", 0},       {IsAlphabet, "[", 0},     {IsAlphabet, "`", 0},
      {IsAlphabet, "{", 0},       {IsAlphaNumeric, "Ab19", 1}, {IsAlphaNumeric, "\xc7", 0},
      {IsNumberDotComma, "1.234,56", 1}, {IsNumberDotComma, "1/2", 0},
      {IsBlank, "   ", 1},       {IsBlank, " x", 0},       {IsBlank, "\t", 0},
  };
  for (const auto &[test, text, expected] : cases) EXPECT_EQ(test(text), expected) << text;
  EXPECT_EQ(IsNumericEx("12", 3), 0) << "the NUL is not a digit";
  EXPECT_EQ(IsNumericEx("12x", 2), 1);
  EXPECT_EQ(IsNumericEx("1", -1), 0);
  EXPECT_EQ(IsNumericEx(nullptr, 0), 1) << "count 0 reads nothing";
}

}  // namespace
