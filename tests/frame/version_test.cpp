#include <gtest/gtest.h>

#include <string>

#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/frame.h"

namespace {

using namespace std::string_literals;

std::string split(const char *text) {
  unsigned short p[4] = {7, 7, 7, 7};
  const int result = SeparaStringVersao(text, &p[0], &p[1], &p[2], &p[3]);
  return std::to_string(result) + " " + std::to_string(p[0]) + "." + std::to_string(p[1]) +
         "." + std::to_string(p[2]) + "." + std::to_string(p[3]);
}

// The rows of tests/data/frame/versions.tsv, each kind through its export, and the texts
// written inside size and right-aligned.
TEST(VersionText, SplitNumbersGroupsFieldsAndTextInsideSize) {
  const std::string file = "frame/versions.tsv";
  ASSERT_EQ(vl::test::data_rows(file, "").size(), 25u);
  for (const auto &row : vl::test::data_rows(file, "split")) EXPECT_EQ(split(row[0].c_str()), row[1]);
  for (const auto &row : vl::test::data_rows(file, "long"))
    EXPECT_EQ(std::to_string(ConverteVersaoToLong(row[0].c_str())), row[1]) << row[0];
  for (const auto &row : vl::test::data_rows(file, "groups")) {
    int version = -1, release = -1;
    const int result = GetVersaoReleaseFromString(row[0].c_str(), std::stoul(row[1]), &version, &release);
    EXPECT_EQ(std::to_string(result) + " " + std::to_string(version) + " " + std::to_string(release), row[2]);
  }
  for (const auto &row : vl::test::data_rows(file, "field")) {
    char out[64];
    const int length = row[0] == "-" ? MontaVersaoRedecard(row[1].c_str(), out)
                                     : MontaVersaoRedecardEx(row[1].c_str(), out, row[0][0], "ABC");
    EXPECT_EQ(std::to_string(length) + " [" + out + "]", row[2]) << row[1];
  }
  const char *text = "1.02.03.0004";
  char field[64];
  const std::string cases[][2] = {
      {split(nullptr), "0 0.0.0.0"},
      {std::to_string(MontaVersaoRedecard(nullptr, field)) + field, "27003021CL0401    :P         "},
      {TEXT_OF(8, ObtemVersaosemBuild(text, o, 8)), "1.2.3\0\0\0 -> 1"s},
      {TEXT_OF(8, ObtemBuilddaVersao(text, o, 3)), "4\0\0##### -> 1"s},
      {TEXT_OF(8, ObtemVersaosemBuild("garbage", o, 6)), "0.0.0\0## -> 1"s},
      {TEXT_OF(8, ObtemVersaosemBuild(text, o, 4)), "\0\0\0\0#### -> 0"s},
      {TEXT_OF(8, ObtemVersaosemBuild(text, o, 5)), "1.2.3\0## -> 1"s},  // its NUL at out[size]
      {TEXT_OF(7, GetVersionNumber(o, 6, "1.2.3")), "000123#"},
      {TEXT_OF(3, GetVersionNumber(o, 2, "v10.20b")), "20#"},
  };
  vl::test::expect_rows(cases);
}

}  // namespace
