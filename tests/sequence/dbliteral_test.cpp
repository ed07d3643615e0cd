#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>

#include "dates/local_time.h"
#include "support/sentinel.h"
#include "vertalib/sequence.h"

namespace {

using namespace std::string_literals;

TEST(DatabaseLiterals, DatesAndTimesCopyTheirPositions) {
  const std::time_t now = std::time(nullptr);
  const std::tm local = vl::test::local_tm(now);
  const std::string year = std::to_string(local.tm_year + 1900);
  struct Row {
    void (*build)(char *, const char *);
    const char *input;
    std::string expected;  // "" when nothing may be written
  } rows[] = {
      {MontaIBDDataGen, "20240331", "{d '2024-03-31'}\0"s},
      {MontaIBDDataGen, "2024AB3x9999", "{d '2024-AB-3x'}\0"s},
      {MontaIBDTime, "235959", "{t '23:59:59'}\0"s},
      {MontaIBDTimeStampGen, "20240331120000", "{ts '2024-03-31 12:00:00'}\0"s},
      {MontaIBDData, "0229", "{d '" + year + "-02-29'}\0"s},
      {MontaIBDTimeStamp, "1231235958", "{ts '" + year + "-12-31 23:59:58'}\0"s},
      // One digit short: nothing written.
      {MontaIBDDataGen, "", ""}, {MontaIBDData, "033", ""}, {MontaIBDTime, "23595", ""},
      {MontaIBDTimeStamp, "123123595", ""}, {MontaIBDTimeStampGen, "2024033112000", ""},
  };
  for (const Row &row : rows)
    EXPECT_EQ(written<32>([&](char *out) { row.build(out, row.input); }), row.expected)
        << row.input;
}

TEST(DatabaseLiterals, AmountsAndNumbers) {
  struct Amount {
    const char *digits;
    int length;
    std::string expected;
  } amounts[] = {{"12345", 5, "123.45\0"s}, {"12345", 3, "1.23\0"s}, {"5", 1, "0.05\0"s}, {"987", -4, "0.00\0"s}};
  for (const Amount &a : amounts)
    EXPECT_EQ(written([&](char *out) { MontaIBDValor(out, a.digits, a.length); }), a.expected)
        << a.digits << " " << a.length;

  struct Number {
    const char *text;
    int width, decimals, null_when_empty;
    std::string expected;
  } numbers[] = {
      {"12345", 7, 2, 0, "  123.45\0"s}, {"12", 2, 0, 1, "12.0\0"s}, {"98765", 3, 1, 0, "98.7\0"s},
      {"7", 4, 4, 0, ".   7\0"s}, {"5", -3, -1, 0, ".0\0"s},
      {"1234567890123456", 20, 2, 0, "1234567890.12\0"s},  // width capped at 12
      {"123456789012", 12, 15, 0, "1.23456789012\0"s},     // decimals capped at 11
      {"", 9, 2, 1, "NULL\0"s}, {"", 2, 0, 0, "00.\0"s},
  };
  for (const Number &n : numbers)
    EXPECT_EQ(written([&](char *out) {
                MontaIBDNumberOuNULL(out, n.text, n.width, n.decimals, n.null_when_empty);
              }),
              n.expected)
        << n.text << " " << n.width << " " << n.decimals;
}

struct Replaced {
  int result;
  std::string text;  // up to the first NUL
  bool cleared;      // every byte of out is 0
};

Replaced replace(const char *statement, const char *types, int size = 120, int length = -1) {
  char out[300];
  std::memset(out, '#', sizeof out);
  if (length < 0) length = static_cast<int>(std::strlen(statement));
  const int result = ReplaceBindParameters(out, size, statement, length, types);
  bool cleared = true;
  for (int i = 0; i < size; ++i) cleared = cleared && out[i] == '\0';
  EXPECT_EQ(out[size], '#') << "a byte past size was written";
  return {result, out, cleared};
}

TEST(DatabaseLiterals, BindParametersBecomeConversions) {
  const char *insert = "INSERT INTO T VALUES (?, ?)";
  struct Row {
    const char *statement, *types;
    int size, length, result;
    const char *text;
  } rows[] = {
      {insert, "%d,%s", 120, -1, 1, "INSERT INTO T VALUES (%d, '%s')"},
      {insert, "%c %d", 120, -1, 1, "INSERT INTO T VALUES ('%c', %d)"},
      {insert, "%d", 120, -1, 0, "INSERT INTO T VALUES (%d, "},  // no type for the second '?'
      {insert, "%d,%s,%c", 120, -1, 0, "INSERT INTO T VALUES (%d, '%s')"},  // a type left over
      {"SELECT * FROM T", "%d", 120, -1, 0, "SELECT * FROM T"},
      {"?%?", "%s;%d;", 120, -1, 1, "'%s'%%d"},
      {"A = ? AND B = ?", "%d", 120, 5, 1, "A = %d"},  // only length characters are read
      {"A=?", "%s", 7, -1, 1, "A='%s'"},               // the text and its NUL just fit
  };
  for (const Row &row : rows) {
    const Replaced got = replace(row.statement, row.types, row.size, row.length);
    EXPECT_EQ(got.result, row.result) << row.statement << " / " << row.types;
    EXPECT_EQ(got.text, row.text) << row.statement << " / " << row.types;
  }
}

TEST(DatabaseLiterals, RefusalsLeaveTheOutputCleared) {
  for (const char *types : {"", "%", "d,s", "%x", "%d,%x", "%d,,%s", "%d,%", "%D"}) {
    const Replaced got = replace("A=? AND B=?", types);
    EXPECT_TRUE(got.result == 0 && got.cleared) << types;
  }
  for (const Replaced &got : {replace("A=?", "%d", 120, 0), replace("A=?", "%s", 6)})
    EXPECT_TRUE(got.result == 0 && got.cleared);

  // Only the first 256 characters of the types count: 85 groups fit, an 86th is cut.
  std::string types, statement;
  for (int i = 0; i < 85; ++i) types += "%d,", statement += "?";
  types.pop_back();
  EXPECT_EQ(replace(statement.c_str(), types.c_str(), 260).result, 1);
  types += ",%d";
  statement += "?";
  const Replaced cut = replace(statement.c_str(), types.c_str(), 260);
  EXPECT_TRUE(cut.result == 0 && cut.cleared);
}

}  // namespace
