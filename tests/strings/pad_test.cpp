#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "support/sentinel.h"
#include "vertalib/strings.h"

namespace {

using namespace std::string_literals;

// Padders pad on their side, terminate on request and refuse writing nothing; the in-place
// edits stay within the work area; predicates test ASCII classes up to their bounds.
TEST(Padding, PaddersInPlaceEditsAndPredicates) {
  const std::string wide(150, 'x');
  const std::string cases[][2] = {
      {written([](char *o) { return InsereZeroEsquerdaEx(o, 6, 1, "123", 10); }), "1 000123\0"s},  // srcLen clamps
      {written([](char *o) { return InsereEspacosDireita(o, 5, 1, "AB", 5); }), "1 AB   \0"s},
      {written([](char *o) { return InsereEspacosEsquerda(o, 4, 0, "ab", 2); }), "1   ab"},  // no NUL unasked
      {written([](char *o) { return InsereZeroDireitaEx(o, 5, 0, "12345678", 2); }), "1 12000"},  // clamps text
      {written([](char *o) { return InsereCharEsquerdaEx(o, 3, 0, "7", 1, '*'); }), "1 **7"},
      {written([](char *o) { return InsereCharDireitaEx(o, 3, 0, "7", 1, '-'); }), "1 7--"},
      {written([](char *o) { return InsereCharEsquerdaEx(o, 3, 1, "123", 3, '\0'); }), "1 123\0"s},  // no fill needed
      {written([](char *o) { return InsereZeroEsquerdaEx(o, 2, 1, "123", 3); }), "0 "},
      {written([](char *o) { return InsereEspacosDireita(o, 2, 1, "123", 3); }), "0 "},
      {written([](char *o) { return InsereCharEsquerdaEx(o, 4, 1, "12", 2, '\0'); }), "0 "},  // fill 0, padding
      {written([](char *o) { return InsereZeroDireitaEx(o, 4, 1, nullptr, 2); }), "0 "},
      {std::to_string(InsereEspacosEsquerda(nullptr, 4, 1, "12", 2)), "0"},
      // The unchecked ones write exactly their width; a longer source gives its first characters.
      {written([](char *o) { InsereZeroEsquerda(o, 3, "12345", 5); }), "123\0"s},
      {written([](char *o) { InsereCharEsquerda(o, 5, "12", 3, '.'); }), "..12\0\0"s},  // srcLen as given
      {written([](char *o) { InsereZeroDireita(o, 5, "12", 2); }), "12000"},
      {written([](char *o) { InsereCharDireita(o, 3, "abcdef", 40, '-'); }), "abc"},
      {written([](char *o) { InsereCharDireita(o, 4, "ab", 40, '-'); }), "ab--"},  // the source stops at its NUL
      {written([](char *o) { CopyCompletaBranco(o, 6, "xyz", 2); }), "xy    "},
      {written([](char *o) { CopyCompletaBranco(o, 2, "abcd", 4); }), "ab"},
      // Justifying prepends spaces in place within the 128-byte work area.
      {written([](char *t) { JustRight(t, 5); }, "AB"), "   AB\0"s},
      {written([](char *t) { JustRight(t, 3); }, "ABCD"), "ABCD\0"s},  // already wider
      {written([](char *t) { Center(t, 7); }, "AB"), "  AB\0"s},       // nothing is appended
      {written([](char *t) { Center(t, 7); }, "  AB"), "   AB\0"s},     // rounds down
      {written<200>([](char *t) { JustRight(t, 128); }, "AB"), std::string(126, ' ') + "AB\0"s},  // fills the area
      {written<200>([](char *t) { Center(t, 128); }, "AB"), std::string(63, ' ') + "AB\0"s},
      {written([](char *t) { JustRight(t, 129); }, "AB"), "\0B\0"s},  // only the first byte
      {written([](char *t) { Center(t, 200); }, "AB"), "\0B\0"s},
      // A text wider than the area stays when the width allows.
      {written<200>([](char *t) { JustRight(t, 100); Center(t, 120); }, wide.c_str()), wide + '\0'},
      {written([](char *t) { RetiraEspacosADireita(t); }, "a b   "), "a b\0\0\0\0"s},
      {written([](char *t) { RetiraEspacosADireita(t); }, "   "), "\0\0\0\0"s},
      {written([](char *t) { SubstituiBrancosPorZeros(t, 4); }, " 1 2 3"), "0102 3\0"s},
      {written([](char *t) { std::memcpy(t, " 1\0 ", 5); SubstituiBrancosPorZeros(t, 4); }), "01\0 \0"s},  // stops
      // Upper-casing goes past the NUL; only a..z change.
      {written([](char *t) { std::memcpy(t, "az\0by{`\xe7", 9); StrToUpp(t, 7); }), "AZ\0BY{`\xe7\0"s},
  };
  vl::test::expect_rows(cases);
  const std::tuple<int (*)(const char *), const char *, int> classes[] = {
      {IsNumeric, "", 1}, {IsNumeric, "0189", 1}, {IsNumeric, " 12", 0}, {IsNumeric, "/", 0}, {IsNumeric, ":", 0},
      {IsAlphabet, "AZaz", 1}, {IsAlphabet, "@", 0}, {IsAlphabet, "[", 0}, {IsAlphabet, "`", 0}, {IsAlphabet, "{", 0},
      {IsAlphaNumeric, "Ab19", 1}, {IsAlphaNumeric, "\xc7", 0}, {IsNumberDotComma, "1.234,56", 1},
      {IsNumberDotComma, "1/2", 0}, {IsBlank, "   ", 1}, {IsBlank, " x", 0}, {IsBlank, "\t", 0},
  };
  for (const auto &[test, text, expected] : classes) EXPECT_EQ(test(text), expected) << text;
  // The NUL is not a digit; a count of 0 reads nothing.
  const int counted[][2] = {
      {IsNumericEx("12", 3), 0}, {IsNumericEx("12x", 2), 1}, {IsNumericEx("1", -1), 0}, {IsNumericEx(nullptr, 0), 1}};
  vl::test::expect_rows(counted);
}

}  // namespace
