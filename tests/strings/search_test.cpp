#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "vertalib/frame.h"
#include "vertalib/strings.h"

namespace {

// A buffer pre-filled with '#', so that every byte an export must not touch can be checked.
template <size_t N>
struct Patterned {
  char bytes[N];
  Patterned() { std::memset(bytes, '#', N); }
  explicit Patterned(const char *text) : Patterned() { std::memcpy(bytes, text, std::strlen(text) + 1); }
  std::string all() const { return std::string(bytes, N); }
};

std::string with(const char *prefix, size_t prefix_length, size_t total) {
  std::string s(prefix, prefix_length);
  s.resize(total, '#');
  return s;
}

TEST(StrNStr, FindsOnlyOccurrencesWhollyWithinTheLimit) {
  const char text[] = "abcdef";
  EXPECT_EQ(StrNStr(text, "cd", 4), text + 2);
  EXPECT_EQ(StrNStr(text, "cd", 3), nullptr);
  EXPECT_EQ(StrNStr(text, "ef", 100), text + 4);
  EXPECT_EQ(StrNStr(text, "fg", 100), nullptr) << "the search ends at the NUL";
  const char repeated[] = "xxabab";
  EXPECT_EQ(StrNStr(repeated, "ab", 6), repeated + 2);
  EXPECT_EQ(StrNStr(text, "", 6), nullptr);
  EXPECT_EQ(StrNStr("", "a", 6), nullptr);
  EXPECT_EQ(StrNStr(nullptr, "a", 6), nullptr);
  EXPECT_EQ(StrNStr(text, nullptr, 6), nullptr);
}

TEST(StrReplaceChar, ReplacesEveryOccurrenceAndCountsThem) {
  char text[] = "a.b.c";
  EXPECT_EQ(StrReplaceCharEx(text, '.', ','), 2);
  EXPECT_STREQ(text, "a,b,c");
  EXPECT_EQ(StrReplaceCharEx(text, '.', ','), 0);
  EXPECT_EQ(StrReplaceCharEx(text, ',', ','), 0);
  EXPECT_EQ(StrReplaceCharEx(text, '\0', 'x'), 0);
  EXPECT_EQ(std::memcmp(text, "a,b,c", 6), 0);
  StrReplaceChar(text, ',', ';');
  EXPECT_STREQ(text, "a;b;c");

  char quoted[] = "d'agua'";
  EXPECT_EQ(TrocaApostrofoPorBranco(quoted), 1);
  EXPECT_STREQ(quoted, "d agua ");
  EXPECT_EQ(TrocaApostrofoPorBranco(quoted), 0);
}

TEST(StrReplaceStringBuffer, ReplacesWithinCapacityAndClearsTheRest) {
  Patterned<16> b("AXBXC");
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 5, 10, "X", "YY"), 1);
  EXPECT_EQ(b.all(), with("AYYBYYC\0\0\0", 10, 16));

  // Exactly capacity characters: no NUL, nothing past capacity.
  Patterned<12> exact("AXBXC");
  EXPECT_EQ(StrReplaceStringBuffer(exact.bytes, 5, 7, "X", "YY"), 1);
  EXPECT_EQ(exact.all(), with("AYYBYYC", 7, 12));

  // Shrinking, and an occurrence at both ends.
  Patterned<12> shrink("--ab--");
  EXPECT_EQ(StrReplaceStringBuffer(shrink.bytes, 6, 8, "--", "+"), 1);
  EXPECT_EQ(shrink.all(), with("+ab+\0\0\0\0", 8, 12));
}

TEST(StrReplaceStringBuffer, RefusesAndLeavesTheBufferAsItWas) {
  Patterned<12> b("AXBXC");
  const std::string before = b.all();
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 5, 6, "X", "YY"), 0) << "tail does not fit";
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 5, 5, "X", "YYYYY"), 0) << "first segment does not fit";
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 5, 10, "Z", "YY"), 0);
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 5, 10, "", "YY"), 0);
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 5, 10, "X", ""), 0);
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 0, 10, "X", "Y"), 0);
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 11, 10, "X", "Y"), 0);
  EXPECT_EQ(b.all(), before);
  // Only occurrences within length count.
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 1, 10, "X", "Y"), 0);
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 2, 10, "AX", "Q"), 1);
  EXPECT_EQ(b.all(), with("Q\0\0\0\0\0\0\0\0\0", 10, 12));
}

TEST(StrRemoveStringBuffer, RemovesEveryOccurrenceSearchingOnFromTheGap) {
  char text[] = "aXXb";
  StrRemoveStringBuffer(text, "X");
  EXPECT_EQ(std::memcmp(text, "ab\0", 3), 0);
  // The text before the gap is not searched again.
  char joined[] = "xAABBy";
  StrRemoveStringBuffer(joined, "AB");
  EXPECT_STREQ(joined, "xABy");
  char kept[] = "abc";
  StrRemoveStringBuffer(kept, "");
  StrRemoveStringBuffer(kept, "zz");
  EXPECT_STREQ(kept, "abc");
}

TEST(StrRemoveStringValorBuffer, RemovesLabelPrefixAndValue) {
  char receipt[] = "TOTAL R$ 12,50 OK";
  EXPECT_EQ(StrRemoveStringValorBuffer(receipt, 40, "TOTAL", "R$"), 1);
  EXPECT_STREQ(receipt, " OK");

  char dated[] = "X DATA  01/02/2026 FIM";
  EXPECT_EQ(StrRemoveStringValorBuffer(dated, 40, "DATA", nullptr), 1);
  EXPECT_STREQ(dated, "X  FIM");

  // A prefix that is not there is not skipped, and stops the value.
  char other[] = "TOTAL US 5";
  EXPECT_EQ(StrRemoveStringValorBuffer(other, 40, "TOTAL", "R$"), 1);
  EXPECT_STREQ(other, "US 5");

  // The moved rest is cut at capacity characters.
  char cut[] = "TOTAL 1 abcdef";
  EXPECT_EQ(StrRemoveStringValorBuffer(cut, 5, "TOTAL", ""), 1);
  EXPECT_STREQ(cut, " abcd");

  char refused[] = "TOTAL 1";
  EXPECT_EQ(StrRemoveStringValorBuffer(refused, 4, "TOTAL", nullptr), 0);
  EXPECT_EQ(StrRemoveStringValorBuffer(refused, 40, "SUB", nullptr), 0);
  EXPECT_EQ(StrRemoveStringValorBuffer(refused, 40, "", nullptr), 0);
  EXPECT_STREQ(refused, "TOTAL 1");
}

TEST(StrCrop, TrimsBySideAndAlwaysTerminates) {
  Patterned<8> out;
  EXPECT_EQ(StrCrop(out.bytes, "00120", 5, '0', 2), 2);
  EXPECT_EQ(out.all(), with("12\0\0", 4, 8)) << "the copy is cut by NULs, nothing past it";
  EXPECT_EQ(StrCrop(out.bytes, "00120", 5, '0', 0), 4);
  EXPECT_STREQ(out.bytes, "0012");
  EXPECT_EQ(StrCrop(out.bytes, "00120", 5, '0', 1), 3);
  EXPECT_STREQ(out.bytes, "120");
  EXPECT_EQ(StrCrop(out.bytes, "00120", 5, '0', 3), 5);
  EXPECT_STREQ(out.bytes, "00120");
  // Only length characters of the source are read.
  EXPECT_EQ(StrCrop(out.bytes, "  ab  cd", 6, ' ', 2), 2);
  EXPECT_STREQ(out.bytes, "ab");
}

TEST(StrCrop, EmptiesTheOutputWhenNothingIsLeft) {
  Patterned<8> out("xyz");
  EXPECT_EQ(StrCrop(out.bytes, "000", 3, '0', 1), 0);
  EXPECT_EQ(out.all(), with("\0yz\0", 4, 8));
  std::memcpy(out.bytes, "xyz", 3);
  EXPECT_EQ(StrCrop(out.bytes, "000", 3, '0', 0), 0);
  EXPECT_EQ(out.bytes[0], '\0');
  std::memcpy(out.bytes, "xyz", 3);
  EXPECT_EQ(StrCrop(out.bytes, "abc", 0, '0', 2), 0);
  EXPECT_EQ(out.all(), with("\0yz\0", 4, 8));
}

TEST(Substrings, CutAtTheFirstOrLastSeparator) {
  Patterned<12> out;
  int size = 10;
  EXPECT_EQ(ObtemSubstring("key=value", 9, '=', out.bytes, &size), 1);
  EXPECT_EQ(size, 3);
  EXPECT_EQ(out.all(), with("key\0\0\0\0\0\0\0", 10, 12));

  size = 10;
  EXPECT_EQ(ObtemUltimaSubstring("key=value", 9, '=', out.bytes, &size), 1);
  EXPECT_EQ(size, 5);
  EXPECT_EQ(out.all(), with("value\0\0\0\0\0", 10, 12));

  // At most size characters, then no NUL is left.
  Patterned<6> small;
  size = 2;
  EXPECT_EQ(ObtemUltimaSubstring("a=b=value", 9, '=', small.bytes, &size), 1);
  EXPECT_EQ(size, 2);
  EXPECT_EQ(small.all(), with("va", 2, 6));
  // The separator is searched only within length.
  size = 2;
  EXPECT_EQ(ObtemSubstring("ab=c", 2, '=', small.bytes, &size), 0);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(small.all(), with("\0\0", 2, 6));
}

TEST(Substrings, RefusalsClearTheRoomAndTheSize) {
  Patterned<8> out;
  int size = 4;
  EXPECT_EQ(ObtemSubstring("abc", 3, '=', out.bytes, &size), 0);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(out.all(), with("\0\0\0\0", 4, 8));
  size = 4;
  EXPECT_EQ(ObtemSubstring(nullptr, 3, '=', out.bytes, &size), 0);
  EXPECT_EQ(size, 0);
  size = 4;
  EXPECT_EQ(ObtemUltimaSubstring("=", 1, '=', out.bytes, &size), 0);
  EXPECT_EQ(size, 0);
}

TEST(ExtraiNomeArquivo, TakesTheNameAfterTheLastBackslash) {
  Patterned<12> out;
  int size = 10;
  EXPECT_EQ(ExtraiNomeArquivo("C:\\dir\\file.txt", 15, out.bytes, &size), 1);
  EXPECT_EQ(size, 8);
  EXPECT_EQ(out.all(), with("file.txt\0\0", 10, 12));

  std::memcpy(out.bytes, "abc", 3);
  size = 10;
  EXPECT_EQ(ExtraiNomeArquivo("C:\\dir\\", 7, out.bytes, &size), 0);
  EXPECT_EQ(size, 10) << "a path ending in a backslash keeps the size";
  EXPECT_EQ(out.all(), with("\0\0\0\0\0\0\0\0\0\0", 10, 12));

  size = 10;
  EXPECT_EQ(ExtraiNomeArquivo("file.txt", 8, out.bytes, &size), 0);
  EXPECT_EQ(size, 0);
}

TEST(StrCpyNumbers, KeepsDigitsWithinRoomAndLength) {
  Patterned<8> out;
  StrCpyNumbers(out.bytes, 6, "12.345-67", 9);
  EXPECT_EQ(out.all(), with("123456\0", 7, 8));
  StrCpyNumbers(out.bytes, 6, "12.345-67", 4);
  EXPECT_EQ(out.all(), std::string("123\0" "56\0#", 8));
  StrCpyNumbers(out.bytes, 6, "1a2", 50);
  EXPECT_STREQ(out.bytes, "12");
  StrCpyNumbers(out.bytes, 0, "123", 3);
  EXPECT_EQ(out.bytes[0], '\0');
}

TEST(GetLastLineLen, CountsAfterTheLastSeparator) {
  EXPECT_EQ(GetLastLineLen("ab@cde", 6, '@'), 3);
  EXPECT_EQ(GetLastLineLen("ab@c@de", 7, '@'), 2);
  EXPECT_EQ(GetLastLineLen("abcdef", 6, '@'), 6);
  EXPECT_EQ(GetLastLineLen("abcde@", 6, '@'), 0);
  EXPECT_EQ(GetLastLineLen("ab@cd@", 5, '@'), 2) << "only length characters are read";
  EXPECT_EQ(GetLastLineLen("", 6, '@'), 0);
  EXPECT_EQ(GetLastLineLen(nullptr, 6, '@'), 0);
  EXPECT_EQ(GetLastLineLen("ab", 0, '@'), 0);
}

TEST(DuplicarAspas, DoublesApostrophesInABlockReleasedByTheLibrary) {
  char *copy = DuplicarAspas("d'agua");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(std::memcmp(copy, "d''agua", 8), 0);
  void *block = copy;
  CleaningFree(&block, 8);
  EXPECT_EQ(block, nullptr);

  copy = DuplicarAspas("''");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(std::memcmp(copy, "''''", 5), 0);
  block = copy;
  CleaningFree(&block, 5);

  copy = DuplicarAspas("");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy[0], '\0');
  block = copy;
  CleaningFree(&block, 1);
  EXPECT_EQ(DuplicarAspas(nullptr), nullptr);
}

TEST(FormatText, BreaksAtSpacesWithTheMarker) {
  Patterned<24> b("aaa bbb ccc");
  EXPECT_EQ(FormatText(b.bytes, 20, 11, 5), 1);
  EXPECT_EQ(b.all(), with("aaa@bbb@ccc\0\0\0\0\0\0\0\0\0", 20, 24));

  // A space falling on the break becomes the marker.
  Patterned<24> at_break("abcde fgh");
  EXPECT_EQ(FormatText(at_break.bytes, 20, 9, 5), 1);
  EXPECT_STREQ(at_break.bytes, "abcde@fgh");

  // A word without a space is cut; the carried character starts the column again.
  Patterned<24> cut("abcdefghijklm");
  EXPECT_EQ(FormatText(cut.bytes, 20, 13, 4), 1);
  EXPECT_STREQ(cut.bytes, "abcd@efghi@jklm");

  // After a moved word the column counts its characters.
  Patterned<24> moved("ab cdef gh");
  EXPECT_EQ(FormatText(moved.bytes, 20, 10, 4), 1);
  EXPECT_STREQ(moved.bytes, "ab@cdef@gh");
}

TEST(FormatText, NeverWritesPastCapacity) {
  Patterned<16> b("abcdefghi");
  EXPECT_EQ(FormatText(b.bytes, 10, 9, 3), 1);
  EXPECT_EQ(b.all(), with("abc@defg@\0", 10, 16)) << "cut so that a NUL fits";

  Patterned<16> refused("aaa bbb ccc");
  const std::string before = refused.all();
  EXPECT_EQ(FormatText(refused.bytes, 20, 11, 20), 0) << "fits one line";
  EXPECT_EQ(FormatText(refused.bytes, 11, 11, 5), 0) << "length not below capacity";
  EXPECT_EQ(FormatText(refused.bytes, 0, 11, 5), 0);
  EXPECT_EQ(FormatText(refused.bytes, 20, 0, 5), 0);
  EXPECT_EQ(FormatText(refused.bytes, 20, 11, 0), 0);
  EXPECT_EQ(FormatText(nullptr, 20, 11, 5), 0);
  EXPECT_EQ(refused.all(), before);
}

}  // namespace
