#include <gtest/gtest.h>

#include <ctime>
#include <map>
#include <string>

#include "dates/local_time.h"
#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/sequence.h"

namespace {

// Each row of tests/data/sequence/dbliteral.tsv written into '#' bytes.
TEST(DatabaseLiterals, DatesTimesAmountsNumbersAndBindParameters) {
  const std::string year = std::to_string(vl::test::local_tm(std::time(nullptr)).tm_year + 1900);
  const std::map<std::string, decltype(&MontaIBDData)> dates = {
      {"Data", MontaIBDData}, {"DataGen", MontaIBDDataGen}, {"Time", MontaIBDTime},
      {"TimeStamp", MontaIBDTimeStamp}, {"TimeStampGen", MontaIBDTimeStampGen}};
  const auto rows = vl::test::data_rows("sequence/dbliteral.tsv", "");
  ASSERT_EQ(rows.size(), 45u);
  for (const auto &r : rows) {
    const auto number = [&r](size_t field) { return std::stoi(r[field]); };
    std::string expected = r.back() == "-" ? "" : r.back() + '\0';
    if (const size_t at = expected.find("YYYY"); at != std::string::npos) expected.replace(at, 4, year);
    if (r[0] == "Bind") {  // the result, then the text and NULs up to the size
      expected = r[5] + " " + expected;
      expected.resize(r[5].size() + 1 + static_cast<size_t>(number(3)), '\0');
      const int length = number(4) < 0 ? static_cast<int>(r[1].size()) : number(4);
      EXPECT_EQ(written<300>([&](char *out) {
                  return ReplaceBindParameters(out, number(3), r[1].c_str(), length, r[2].c_str());
                }),
                expected)
          << testing::PrintToString(r);
      continue;
    }
    EXPECT_EQ(written<32>([&](char *out) {
                if (r[0] == "Valor") MontaIBDValor(out, r[1].c_str(), number(2));
                else if (r[0] == "Number") MontaIBDNumberOuNULL(out, r[1].c_str(), number(2), number(3), number(4));
                else dates.at(r[0])(out, r[1].c_str());
              }),
              expected)
        << testing::PrintToString(r);
  }
}

}  // namespace
