#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/amounts.h"

namespace {

using namespace std::string_literals;

// The words of tests/data/amount_words.tsv, each with its NUL.
TEST(Extenso, WritesTheWords) {
  const auto rows = vl::test::data_rows("amount_words.tsv");
  ASSERT_EQ(rows.size(), 20u);
  for (const auto &row : rows) {
    const std::string words = row.size() > 1 ? row[1] : "";
    EXPECT_EQ(written<600>([&](char *out) { return Extenso(std::stod(row[0]), out, 0); }),
              "0 " + words + '\0') << row[0];
  }
}

// Width above 0: the lines run together, lines * width bytes; zero gives no lines, and a
// width beyond the work area leaves the words uncut.
TEST(Extenso, CutsTheWordsIntoLines) {
  struct { double centavos; std::string text; int width, lines; } cases[] = {
      {123456789,
       "UM MILHAO DUZENTOS E" "TRINTA E QUATRO MIL " "QUINHENTOS E SESSEN-"
       "TA E SETE REAIS E   " "OITENTA E NOVE CEN- " "TAVOS               ",
       20, 6},
      // SETECENTOS splits before a consonant, REAIS before its first letter (no hyphen).
      {9876543210.0,
       "NOVENTA E OITO MILHOES SETE-  " "CENTOS E SESSENTA E CINCO MIL "
       "QUATROCENTOS E TRINTA E DOIS  " "REAIS E DEZ CENTAVOS          ",
       30, 4},
      // MILHOES has no breakable letter and moves whole; D of DE is a split point itself.
      {200000000, "DOIS     " "MILHOES  " "DE REAIS ", 9, 3},
      // No split point inside DOI, MIL, HOE, REA: cut as they stand; 21 characters fill 7
      // widths, so the short last line keeps NULs instead of padding.
      {200000000, "DOI" "S  " "MIL" "HOE" "S  " "DE " "REA" "IS\0"s, 3, 8},
      {100000, "UM MIL REAIS", 12, 1},  // a rest of exactly one width is not cut
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
}

}  // namespace
