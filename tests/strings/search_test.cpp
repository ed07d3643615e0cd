#include <gtest/gtest.h>
#include <climits>

#include <cstring>
#include <string>

#include "strings/patterned.h"
#include "vertalib/frame.h"
#include "vertalib/strings.h"

namespace {

using namespace std::string_literals;

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
  EXPECT_EQ(std::string(text, sizeof text), "a,b,c\0"s);
  char quoted[] = "d'agua'";
  EXPECT_EQ(TrocaApostrofoPorBranco(quoted), 1);
  EXPECT_STREQ(quoted, "d agua ");
  EXPECT_EQ(TrocaApostrofoPorBranco(quoted), 0);
}

std::string replaced(const char *text, int length, int capacity, const char *find,
                     const char *replacement) {
  const auto replace = [=](char *b) {
    return StrReplaceStringBuffer(b, length, capacity, find, replacement);
  };
  return written(replace, text);
}

TEST(StrReplaceStringBuffer, WritesCapacityBytesAndNothingPastOrRefusesUntouched) {
  EXPECT_EQ(replaced("AXBXC", 5, 10, "X", "YY"), "1 AYYBYYC\0\0\0"s) << "the rest is cleared";
  EXPECT_EQ(replaced("AXBXC", 5, 7, "X", "YY"), "1 AYYBYYC") << "a full capacity has no NUL";
  EXPECT_EQ(replaced("--ab--", 6, 8, "--", "+"), "1 +ab+\0\0\0\0"s);
  const struct {
    int length, capacity;
    const char *find, *replacement, *why;
  } refusals[] = {{5, 6, "X", "YY", "the tail does not fit"}, {5, 10, "Z", "YY", "absent"},
                  {5, 5, "X", "YYYYY", "a segment does not fit"}, {5, 10, "X", "", "empty"},
                  {11, 10, "X", "Y", "length above capacity"}, {1, 10, "X", "Y", "past length"}};
  for (const auto &r : refusals)
    EXPECT_EQ(replaced("AXBXC", r.length, r.capacity, r.find, r.replacement), "0 AXBXC\0"s)
        << r.why;
}

TEST(Removal, ClosesTheGapAndSearchesOnFromIt) {
  char text[] = "aXXb";
  StrRemoveStringBuffer(text, "X");
  EXPECT_STREQ(text, "ab");
  char joined[] = "xAABBy";
  StrRemoveStringBuffer(joined, "AB");
  EXPECT_STREQ(joined, "xABy") << "the text before the gap is not searched again";

  const auto remove_value = [](const char *source, int capacity, const char *label,
                               const char *prefix) {
    char buffer[32];
    std::strcpy(buffer, source);
    const int result = StrRemoveStringValorBuffer(buffer, capacity, label, prefix);
    return std::to_string(result) + " " + buffer;
  };
  EXPECT_EQ(remove_value("TOTAL R$ 12,50 OK", 40, "TOTAL", "R$"), "1  OK");
  EXPECT_EQ(remove_value("TOTAL US 5", 40, "TOTAL", "R$"), "1 US 5") << "no prefix ends the value";
  EXPECT_EQ(remove_value("TOTAL 1 abcdef", 5, "TOTAL", ""), "1  abcd") << "cut at capacity";
  EXPECT_EQ(remove_value("  R$ 1,00 x", 40, "", "R$"), "1  x") << "an empty label is at the start";
  EXPECT_EQ(remove_value("TOTAL 1", 4, "TOTAL", nullptr), "0 TOTAL 1");
  EXPECT_EQ(remove_value("TOTAL 1", 40, "SUB", nullptr), "0 TOTAL 1");
}

TEST(StrCrop, TrimsBySideWithinLengthAndAlwaysTerminates) {
  const auto crop = [](const char *src, int length, char ch, int mode) {
    return written([=](char *o) { return StrCrop(o, src, length, ch, mode); });
  };
  EXPECT_EQ(crop("00120", 5, '0', 2), "2 12\0\0"s);
  EXPECT_EQ(crop("00120", 5, '0', 0), "4 0012\0\0"s);
  EXPECT_EQ(crop("00120", 5, '0', 1), "3 120\0"s);
  EXPECT_EQ(crop("00120", 5, '0', 3), "5 00120\0"s) << "other modes trim nothing";
  EXPECT_EQ(crop("  ab  cd", 6, ' ', 2), "2 ab\0\0\0"s) << "only length characters are copied";
  EXPECT_EQ(crop("000", 3, '0', 1), "0 \0"s) << "all trimmed: out is emptied";
  EXPECT_EQ(crop("a0\0b", 4, '0', 0), "1 a\0\0b\0"s) << "the right trim starts at the NUL";
  EXPECT_EQ(crop("00120", 0, '0', 2), "0 \0"s);
}

using Extraction = int (*)(const char *, int, char, char *, int *);

// "result bytes size" of an extraction at '=' into room bytes.
std::string cut(Extraction extract, const char *text, int length, int room) {
  int size = room;
  const std::string shown = written([&](char *o) { return extract(text, length, '=', o, &size); });
  return shown + " size " + std::to_string(size);
}

int file_name(const char *path, int length, char, char *out, int *size) {
  return ExtraiNomeArquivo(path, length, out, size);
}

TEST(Substrings, CutAtTheFirstOrLastSeparatorWithinSize) {
  const std::string nuls(10, '\0');
  EXPECT_EQ(cut(ObtemSubstring, "key=value", 9, 10), "1 key" + nuls.substr(3) + " size 3");
  EXPECT_EQ(cut(ObtemUltimaSubstring, "key=value", 9, 10), "1 value" + nuls.substr(5) + " size 5");
  EXPECT_EQ(cut(ObtemUltimaSubstring, "a=b=value", 9, 2), "1 va size 2");
  EXPECT_EQ(cut(ObtemSubstring, "ab=c", 2, 2), "0 \0\0 size 0"s)
      << "searched within length; a refusal still clears the room";
  EXPECT_EQ(cut(ObtemUltimaSubstring, "=", 1, 4), "0 \0\0\0\0 size 0"s);
  EXPECT_EQ(cut(file_name, "C:\\dir\\file.txt", 15, 10), "1 file.txt\0\0 size 8"s);
  EXPECT_EQ(cut(file_name, "C:\\dir\\", 7, 10), "0 " + nuls + " size 10")
      << "a path ending in a backslash keeps the size";
  EXPECT_EQ(cut(file_name, "file.txt", 8, 10), "0 " + nuls + " size 0");
}

TEST(DigitsAndLines, CountedWithinTheirLimits) {
  EXPECT_EQ(written([](char *o) { StrCpyNumbers(o, 6, "12.345-67", 9); }), "123456\0"s);
  EXPECT_EQ(written([](char *o) { StrCpyNumbers(o, 6, "12.345-67", 4); }), "123\0"s);
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

std::string wrapped(const char *text, int capacity, unsigned length, unsigned short width) {
  return written([=](char *b) { return FormatText(b, capacity, length, width); }, text);
}

TEST(FormatText, BreaksAtSpacesOrCutsWordsWithinCapacity) {
  EXPECT_EQ(wrapped("aaa bbb ccc", 20, 11, 5), "1 aaa@bbb@ccc" + std::string(9, '\0'));
  EXPECT_EQ(wrapped("abcde fgh", 20, 9, 5), "1 abcde@fgh" + std::string(11, '\0'))
      << "a space on the break becomes the marker";
  EXPECT_EQ(wrapped("abcdefghijklm", 20, 13, 4), "1 abcd@efghi@jklm" + std::string(5, '\0'))
      << "the carried character is not counted";
  EXPECT_EQ(wrapped("ab cdef gh", 20, 10, 4), "1 ab@cdef@gh" + std::string(10, '\0'))
      << "a moved word counts on its new line";
  EXPECT_EQ(wrapped("abcdefghi", 10, 9, 3), "1 abc@defg@\0"s) << "cut so that a NUL fits";
  EXPECT_EQ(wrapped("aaa bbb ccc", 20, 11, 20), "0 aaa bbb ccc\0"s) << "fits one line";
  EXPECT_EQ(wrapped("aaa bbb ccc", 11, 11, 5), "0 aaa bbb ccc\0"s) << "length not below capacity";
  EXPECT_EQ(wrapped("aaa bbb ccc", 20, 11, 0), "0 aaa bbb ccc\0"s);
}

TEST(StrCpyNumbersOutsideTheContract, ANegativeRoomWritesNothing) {
  EXPECT_EQ(written([](char *out) { StrCpyNumbers(out, -1, "12a3", 4); }), "");
  EXPECT_EQ(written([](char *out) { StrCpyNumbers(out, INT_MIN, "12a3", 4); }), "");
  EXPECT_EQ(written([](char *out) { StrCpyNumbers(out, 0, "12a3", 4); }), std::string(1, '\0'));
}

}  // namespace
