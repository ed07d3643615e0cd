#include <gtest/gtest.h>
#include <cmath>

#include <cstring>
#include <string>

#include "vertalib/amounts.h"

namespace {

using namespace std::string_literals;

// width 0: the words; width above 0: the lines run together, lines * width bytes.
TEST(Extenso, WritesTheWordsAndCutsThemIntoLines) {
  struct { double centavos; std::string text; int width = 0, lines = 0; } cases[] = {
      {0, ""}, {1, "UM CENTAVOS"}, {50, "CINQUENTA CENTAVOS"}, {100, "UM REAL"},
      {101, "UM REAL E UM CENTAVOS"}, {200, "DOIS REAIS"}, {11500, "CENTO E QUINZE REAIS"},
      {12345, "CENTO E VINTE E TRES REAIS E QUARENTA E CINCO CENTAVOS"},
      {100000, "UM MIL REAIS"}, {110000, "UM MIL E CEM REAIS"},
      {150050, "UM MIL E QUINHENTOS REAIS E CINQUENTA CENTAVOS"},
      {123456, "UM MIL DUZENTOS E TRINTA E QUATRO REAIS E CINQUENTA E SEIS CENTAVOS"},
      {1000100, "DEZ MIL E UM REAIS"}, {100000000, "UM MILHAO DE REAIS"},
      {100000050, "UM MILHAO DE REAIS E CINQUENTA CENTAVOS"},
      {100000100, "UM MILHAO E UM REAIS"}, {200000000, "DOIS MILHOES DE REAIS"},
      {150020000, "UM MILHAO QUINHENTOS MIL E DUZENTOS REAIS"},
      {100000000000, "UM BILHAO DE REAIS"},
      {99999999999999, "NOVECENTOS E NOVENTA E NOVE BILHOES NOVECENTOS E NOVENTA E NOVE "
                       "MILHOES NOVECENTOS E NOVENTA E NOVE MIL NOVECENTOS E NOVENTA E NOVE "
                       "REAIS E NOVENTA E NOVE CENTAVOS"},
      {123456789,
       "UM MILHAO DUZENTOS E" "TRINTA E QUATRO MIL " "QUINHENTOS E SESSEN-"
       "TA E SETE REAIS E   " "OITENTA E NOVE CEN- " "TAVOS               ",
       20, 6},
      // SETECENTOS splits before its consonant, REAIS before its first letter (no hyphen).
      {9876543210.0,
       "NOVENTA E OITO MILHOES SETE-  " "CENTOS E SESSENTA E CINCO MIL "
       "QUATROCENTOS E TRINTA E DOIS  " "REAIS E DEZ CENTAVOS          ",
       30, 4},
      // MILHOES has no breakable letter and moves whole; D of DE is a split point itself.
      {200000000, "DOIS     " "MILHOES  " "DE REAIS ", 9, 3},
      // No split point inside DOI, MIL, HOE, REA: cut as they stand. 21 characters make
      // 7 full widths, so the short last line keeps NULs instead of padding.
      {200000000, "DOI" "S  " "MIL" "HOE" "S  " "DE " "REA" "IS\0"s, 3, 8},
      {100000, "UM MIL REAIS", 12, 1},  // a rest of exactly one width is not cut
      // Zero gives no lines; a width beyond the work area leaves the words uncut.
      {0, "", 10, 0}, {150050, "UM MIL E QUINHENTOS REAIS E CINQUENTA CENTAVOS", 480, 0},
  };
  for (const auto &c : cases) {
    char out[600];
    std::memset(out, '#', sizeof out);
    ASSERT_EQ(Extenso(c.centavos, out, c.width), c.lines) << c.centavos << " " << c.width;
    const size_t length = c.lines > 0 ? static_cast<size_t>(c.lines * c.width) : std::strlen(out);
    EXPECT_EQ(std::string(out, length + 1), c.text + '\0') << c.centavos << " " << c.width;
  }
}

// Outside 0 .. 10^14 - 1 centavos the words are not written: out is left empty.
TEST(Extenso, RefusesAmountsTheWordTablesDoNotCover) {
  for (double centavos : {-1.0, -0.5, std::nan(""), double{INFINITY}, -double{INFINITY}, 1e14, 1e300}) {
    char out[256] = "untouched?";
    EXPECT_EQ(Extenso(centavos, out, 20), 0) << centavos;
    EXPECT_STREQ(out, "") << centavos;
  }
  EXPECT_EQ(Extenso(100, nullptr, 0), 0);
  char out[256];
  Extenso(99999999999999.0, out, 0);
  EXPECT_EQ(std::string(out).rfind("NOVECENTOS E NOVENTA E NOVE BILHOES", 0), 0u) << out;
}

}  // namespace
