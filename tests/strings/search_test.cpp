#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "strings/patterned.h"
#include "vertalib/frame.h"
#include "vertalib/strings.h"

namespace {

TEST(StrNStr, FindsOnlyOccurrencesWhollyWithinTheLimit) {
  const char text[] = "abcdef";
  EXPECT_EQ(StrNStr(text, "cd", 4), text + 2);
  EXPECT_EQ(StrNStr(text, "cd", 3), nullptr);
  EXPECT_EQ(StrNStr(text, "fg", 100), nullptr) << "the search ends at the NUL";
  EXPECT_EQ(StrNStr(text, "", 6), nullptr);
}

TEST(CharacterReplacing, CountsWhatItReplaces) {
  char text[] = "a.b.c";
  EXPECT_EQ(StrReplaceCharEx(text, '.', ','), 2);
  EXPECT_EQ(StrReplaceCharEx(text, '.', ','), 0);
  EXPECT_EQ(StrReplaceCharEx(text, '\0', 'x'), 0);
  EXPECT_EQ(std::memcmp(text, "a,b,c", 6), 0);
  char quoted[] = "d'agua'";
  EXPECT_EQ(TrocaApostrofoPorBranco(quoted), 1);
  EXPECT_STREQ(quoted, "d agua ");
  EXPECT_EQ(TrocaApostrofoPorBranco(quoted), 0);
}

TEST(StrReplaceStringBuffer, WritesCapacityBytesAndNothingPast) {
  Patterned<16> b("AXBXC");
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 5, 10, "X", "YY"), 1);
  EXPECT_EQ(b.all(), with("AYYBYYC\0\0\0", 10, 16)) << "the rest of capacity is cleared";
  Patterned<12> exact("AXBXC");
  EXPECT_EQ(StrReplaceStringBuffer(exact.bytes, 5, 7, "X", "YY"), 1);
  EXPECT_EQ(exact.all(), with("AYYBYYC", 7, 12)) << "a full capacity has no NUL";
  Patterned<12> ends("--ab--");
  EXPECT_EQ(StrReplaceStringBuffer(ends.bytes, 6, 8, "--", "+"), 1);
  EXPECT_EQ(ends.all(), with("+ab+\0\0\0\0", 8, 12));
}

TEST(StrReplaceStringBuffer, RefusalsLeaveTheBufferAsItWas) {
  Patterned<12> b("AXBXC");
  const std::string before = b.all();
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 5, 6, "X", "YY"), 0) << "the tail does not fit";
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 5, 5, "X", "YYYYY"), 0) << "a segment does not fit";
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 5, 10, "Z", "YY"), 0);
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 5, 10, "X", ""), 0);
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 11, 10, "X", "Y"), 0);
  EXPECT_EQ(StrReplaceStringBuffer(b.bytes, 1, 10, "X", "Y"), 0) << "X lies beyond length";
  EXPECT_EQ(b.all(), before);
}

TEST(Removal, ClosesTheGapAndSearchesOnFromIt) {
  char text[] = "aXXb";
  StrRemoveStringBuffer(text, "X");
  EXPECT_EQ(std::memcmp(text, "ab\0", 3), 0);
  char joined[] = "xAABBy";
  StrRemoveStringBuffer(joined, "AB");
  EXPECT_STREQ(joined, "xABy") << "the text before the gap is not searched again";

  char receipt[] = "TOTAL R$ 12,50 OK";
  EXPECT_EQ(StrRemoveStringValorBuffer(receipt, 40, "TOTAL", "R$"), 1);
  EXPECT_STREQ(receipt, " OK");
  char other[] = "TOTAL US 5";
  EXPECT_EQ(StrRemoveStringValorBuffer(other, 40, "TOTAL", "R$"), 1);
  EXPECT_STREQ(other, "US 5") << "an absent prefix ends the value";
  char cut[] = "TOTAL 1 abcdef";
  EXPECT_EQ(StrRemoveStringValorBuffer(cut, 5, "TOTAL", ""), 1);
  EXPECT_STREQ(cut, " abcd") << "the rest is cut at capacity";
  char leading[] = "  R$ 1,00 x";
  EXPECT_EQ(StrRemoveStringValorBuffer(leading, 40, "", "R$"), 1) << "an empty label is at the start";
  EXPECT_STREQ(leading, " x");
  char refused[] = "TOTAL 1";
  EXPECT_EQ(StrRemoveStringValorBuffer(refused, 4, "TOTAL", nullptr), 0);
  EXPECT_EQ(StrRemoveStringValorBuffer(refused, 40, "SUB", nullptr), 0);
  EXPECT_STREQ(refused, "TOTAL 1");
}

TEST(StrCrop, TrimsBySideWithinLengthAndAlwaysTerminates) {
  Patterned<8> out;
  EXPECT_EQ(StrCrop(out.bytes, "00120", 5, '0', 2), 2);
  EXPECT_EQ(out.all(), with("12\0\0", 4, 8));
  EXPECT_EQ(StrCrop(out.bytes, "00120", 5, '0', 0), 4);
  EXPECT_STREQ(out.bytes, "0012");
  EXPECT_EQ(StrCrop(out.bytes, "00120", 5, '0', 1), 3);
  EXPECT_STREQ(out.bytes, "120");
  EXPECT_EQ(StrCrop(out.bytes, "  ab  cd", 6, ' ', 2), 2);
  EXPECT_EQ(out.all(), with("ab\0\0\0\0", 6, 8));
  EXPECT_EQ(StrCrop(out.bytes, "000", 3, '0', 1), 0) << "all trimmed: out is emptied";
  EXPECT_EQ(out.all(), with("\0b\0\0\0\0", 6, 8));
  EXPECT_EQ(StrCrop(out.bytes, "a0\0" "b", 4, '0', 0), 1) << "the right trim starts at the NUL";
  EXPECT_STREQ(out.bytes, "a");
}

TEST(Substrings, CutAtTheFirstOrLastSeparatorWithinSize) {
  Patterned<12> out;
  int size = 10;
  EXPECT_EQ(ObtemSubstring("key=value", 9, '=', out.bytes, &size), 1);
  EXPECT_EQ(size, 3);
  EXPECT_EQ(out.all(), with("key\0\0\0\0\0\0\0", 10, 12));
  size = 10;
  EXPECT_EQ(ObtemUltimaSubstring("key=value", 9, '=', out.bytes, &size), 1);
  EXPECT_EQ(size, 5);
  EXPECT_EQ(out.all(), with("value\0\0\0\0\0", 10, 12));

  Patterned<6> small;
  size = 2;
  EXPECT_EQ(ObtemUltimaSubstring("a=b=value", 9, '=', small.bytes, &size), 1);
  EXPECT_EQ(size, 2);
  EXPECT_EQ(small.all(), with("va", 2, 6));
  size = 2;
  EXPECT_EQ(ObtemSubstring("ab=c", 2, '=', small.bytes, &size), 0) << "searched within length";
  EXPECT_EQ(size, 0);
  EXPECT_EQ(small.all(), with("\0\0", 2, 6)) << "a refusal still clears the room";
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
  EXPECT_EQ(ExtraiNomeArquivo("file.txt", 8, out.bytes, &size), 0);
  EXPECT_EQ(size, 0);
}

TEST(DigitsAndLines, CountedWithinTheirLimits) {
  Patterned<8> out;
  StrCpyNumbers(out.bytes, 6, "12.345-67", 9);
  EXPECT_EQ(out.all(), with("123456\0", 7, 8));
  StrCpyNumbers(out.bytes, 6, "12.345-67", 4);
  EXPECT_EQ(out.all(), std::string("123\0" "56\0#", 8));

  EXPECT_EQ(GetLastLineLen("ab@cde", 6, '@'), 3);
  EXPECT_EQ(GetLastLineLen("abcdef", 6, '@'), 6);
  EXPECT_EQ(GetLastLineLen("ab@cd@", 5, '@'), 2) << "only length characters are read";
  EXPECT_EQ(GetLastLineLen("", 6, '@'), 0);
}

TEST(DuplicarAspas, DoublesApostrophesInABlockReleasedByTheLibrary) {
  for (const auto &[text, doubled] : {std::pair{"d'agua", "d''agua"}, {"''", "''''"}, {"", ""}}) {
    void *block = DuplicarAspas(text);
    ASSERT_NE(block, nullptr);
    const size_t size = std::strlen(doubled) + 1;
    EXPECT_EQ(std::memcmp(block, doubled, size), 0) << text;
    CleaningFree(&block, static_cast<int>(size));
    EXPECT_EQ(block, nullptr);
  }
  EXPECT_EQ(DuplicarAspas(nullptr), nullptr);
}

TEST(FormatText, BreaksAtSpacesOrCutsWords) {
  Patterned<24> b("aaa bbb ccc");
  EXPECT_EQ(FormatText(b.bytes, 20, 11, 5), 1);
  EXPECT_EQ(b.all(), with("aaa@bbb@ccc\0\0\0\0\0\0\0\0\0", 20, 24));
  Patterned<24> at_break("abcde fgh");
  EXPECT_EQ(FormatText(at_break.bytes, 20, 9, 5), 1);
  EXPECT_STREQ(at_break.bytes, "abcde@fgh") << "a space on the break becomes the marker";
  Patterned<24> cut("abcdefghijklm");
  EXPECT_EQ(FormatText(cut.bytes, 20, 13, 4), 1);
  EXPECT_STREQ(cut.bytes, "abcd@efghi@jklm") << "the carried character is not counted";
  Patterned<24> moved("ab cdef gh");
  EXPECT_EQ(FormatText(moved.bytes, 20, 10, 4), 1);
  EXPECT_STREQ(moved.bytes, "ab@cdef@gh") << "a moved word counts on its new line";
}

TEST(FormatText, StaysWithinCapacity) {
  Patterned<16> b("abcdefghi");
  EXPECT_EQ(FormatText(b.bytes, 10, 9, 3), 1);
  EXPECT_EQ(b.all(), with("abc@defg@\0", 10, 16)) << "cut so that a NUL fits";
  Patterned<16> refused("aaa bbb ccc");
  const std::string before = refused.all();
  EXPECT_EQ(FormatText(refused.bytes, 20, 11, 20), 0) << "fits one line";
  EXPECT_EQ(FormatText(refused.bytes, 11, 11, 5), 0) << "length not below capacity";
  EXPECT_EQ(FormatText(refused.bytes, 20, 11, 0), 0);
  EXPECT_EQ(refused.all(), before);
}

}  // namespace
