#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "support/sentinel.h"
#include "vertalib/frame.h"
#include "vertalib/strings.h"

namespace {

using namespace std::string_literals;

std::string replaced(const char *text, int length, int capacity, const char *find, const char *replacement) {
  return written([=](char *b) { return StrReplaceStringBuffer(b, length, capacity, find, replacement); }, text);
}

// Searches find only what lies wholly within their limit, and stop at the NUL.
TEST(SearchAndReplace, WithinTheLimitCountingWhatIsReplacedAndRemoved) {
  const char abc[] = "abcdef";
  const char *found[][2] = {{StrNStr(abc, "cd", 4), abc + 2}, {StrNStr(abc, "cd", 3), nullptr},
                            {StrNStr(abc, "fg", 100), nullptr}, {StrNStr(abc, "", 6), nullptr}};
  vl::test::expect_rows(found);
  char dotted[] = "a.b.c", quoted[] = "d'agua'";
  const int counts[][2] = {
      {StrReplaceCharEx(dotted, '.', ','), 2}, {StrReplaceCharEx(dotted, '.', ','), 0},
      {StrReplaceCharEx(dotted, '\0', 'x'), 0}, {TrocaApostrofoPorBranco(quoted), 1}, {TrocaApostrofoPorBranco(quoted), 0}};
  vl::test::expect_rows(counts);
  EXPECT_EQ(std::string(dotted, sizeof dotted) + quoted, "a,b,c\0d agua "s);
  const auto remove_value = [](const char *source, int capacity, const char *label, const char *prefix) {
    return written([=](char *b) { return StrRemoveStringValorBuffer(b, capacity, label, prefix); }, source);
  };
  // Replacing writes capacity bytes and nothing past them, or refuses leaving the text.
  const std::string replacing[][2] = {
      {replaced("AXBXC", 5, 10, "X", "YY"), "1 AYYBYYC\0\0\0"s},  // the rest is cleared
      {replaced("AXBXC", 5, 7, "X", "YY"), "1 AYYBYYC"},           // a full capacity has no NUL
      {replaced("--ab--", 6, 8, "--", "+"), "1 +ab+\0\0\0\0"s},
      // Refused: the tail, a segment does not fit; absent, empty; length above capacity, past it.
      {replaced("AXBXC", 5, 6, "X", "YY"), "0 AXBXC\0"s}, {replaced("AXBXC", 5, 5, "X", "YYYYY"), "0 AXBXC\0"s},
      {replaced("AXBXC", 5, 10, "Z", "YY"), "0 AXBXC\0"s}, {replaced("AXBXC", 5, 10, "X", ""), "0 AXBXC\0"s},
      {replaced("AXBXC", 11, 10, "X", "Y"), "0 AXBXC\0"s}, {replaced("AXBXC", 1, 10, "X", "Y"), "0 AXBXC\0"s},
      // Removing closes the gap and searches on from it, not in the text before the gap.
      {written([](char *t) { StrRemoveStringBuffer(t, "X"); }, "aXXb"), "ab\0\0\0"s},
      {written([](char *t) { StrRemoveStringBuffer(t, "AB"); }, "xAABBy"), "xABy\0y\0"s},
      // Removing a value moves the tail and its NUL over it; the bytes past the NUL stay.
      {remove_value("TOTAL R$ 12,50 OK", 40, "TOTAL", "R$"), "1  OK\0L R$ 12,50 OK\0"s},
      {remove_value("TOTAL US 5", 40, "TOTAL", "R$"), "1 US 5\0 US 5\0"s},   // no prefix ends the value
      {remove_value("TOTAL 1 abcdef", 5, "TOTAL", ""), "1  abcd\0" "1 abcdef\0"s},  // cut at capacity
      {remove_value("  R$ 1,00 x", 40, "", "R$"), "1  x\0$ 1,00 x\0"s},      // an empty label is at the start
      {remove_value("TOTAL 1", 4, "TOTAL", nullptr), "0 TOTAL 1\0"s},
      {remove_value("TOTAL 1", 40, "SUB", nullptr), "0 TOTAL 1\0"s},
  };
  vl::test::expect_rows(replacing);
}

std::string wrapped(const char *text, int capacity, unsigned length, unsigned short width) {
  return written([=](char *b) { return FormatText(b, capacity, length, width); }, text);
}

using Extraction = int (*)(const char *, int, char, char *, int *);

// "result bytes size" of an extraction at '=' into room bytes.
std::string cut(Extraction extract, const char *text, int length, int room) {
  int size = room;
  const std::string shown = written([&](char *o) { return extract(text, length, '=', o, &size); });
  return shown + " size " + std::to_string(size);
}

// Cropping trims by side within length and always terminates; the extractions cut at the
// first or last separator within size; wrapping breaks at spaces or cuts words within capacity.
TEST(Substrings, CropsCutsWrapsDigitsLinesAndQuotes) {
  const auto crop = [](const char *src, int length, char ch, int mode) {
    return written([=](char *o) { return StrCrop(o, src, length, ch, mode); });
  };
  const Extraction file_name = [](const char *path, int length, char, char *out, int *size) {
    return ExtraiNomeArquivo(path, length, out, size);
  };
  const std::string nuls(10, '\0');
  const std::string cases[][2] = {
      {crop("00120", 5, '0', 2), "2 12\0\0"s}, {crop("00120", 5, '0', 0), "4 0012\0\0"s},
      {crop("00120", 5, '0', 1), "3 120\0"s}, {crop("00120", 5, '0', 3), "5 00120\0"s},  // others trim nothing
      {crop("  ab  cd", 6, ' ', 2), "2 ab\0\0\0"s},  // only length characters are copied
      {crop("000", 3, '0', 1), "0 \0"s},              // all trimmed: out is emptied
      {crop("a0\0b", 4, '0', 0), "1 a\0\0b\0"s},      // the right trim starts at the NUL
      {crop("00120", 0, '0', 2), "0 \0"s},
      {cut(ObtemSubstring, "key=value", 9, 10), "1 key" + nuls.substr(3) + " size 3"},
      {cut(ObtemUltimaSubstring, "key=value", 9, 10), "1 value" + nuls.substr(5) + " size 5"},
      {cut(ObtemUltimaSubstring, "a=b=value", 9, 2), "1 va size 2"},
      {cut(ObtemSubstring, "ab=c", 2, 2), "0 \0\0 size 0"s},  // within length; a refusal clears the room
      {cut(ObtemUltimaSubstring, "=", 1, 4), "0 \0\0\0\0 size 0"s},
      {cut(file_name, "C:\\dir\\file.txt", 15, 10), "1 file.txt\0\0 size 8"s},
      {cut(file_name, "C:\\dir\\", 7, 10), "0 " + nuls + " size 10"},  // ending in a backslash keeps the size
      {cut(file_name, "file.txt", 8, 10), "0 " + nuls + " size 0"},
      {wrapped("aaa bbb ccc", 20, 11, 5), "1 aaa@bbb@ccc" + std::string(9, '\0')},
      {wrapped("abcde fgh", 20, 9, 5), "1 abcde@fgh" + std::string(11, '\0')},  // a space on the break: marker
      {wrapped("abcdefghijklm", 20, 13, 4), "1 abcd@efghi@jklm" + std::string(5, '\0')},  // carried: not counted
      {wrapped("ab cdef gh", 20, 10, 4), "1 ab@cdef@gh" + std::string(10, '\0')},  // a moved word counts anew
      {wrapped("abcdefghi", 10, 9, 3), "1 abc@defg@\0"s},        // cut so that a NUL fits
      {wrapped("aaa bbb ccc", 20, 11, 20), "0 aaa bbb ccc\0"s},  // fits one line
      {wrapped("aaa bbb ccc", 11, 11, 5), "0 aaa bbb ccc\0"s},   // length not below capacity
      {wrapped("aaa bbb ccc", 20, 11, 0), "0 aaa bbb ccc\0"s},
      // Digits: a negative room writes nothing.
      {written([](char *o) { StrCpyNumbers(o, 6, "12.345-67", 9); }), "123456\0"s},
      {written([](char *o) { StrCpyNumbers(o, 6, "12.345-67", 4); }), "123\0"s},
      {written([](char *o) { StrCpyNumbers(o, 0, "12a3", 4); }), "\0"s},
      {written([](char *o) { StrCpyNumbers(o, -1, "12a3", 4); }), ""},
      {written([](char *o) { StrCpyNumbers(o, INT_MIN, "12a3", 4); }), ""},
  };
  vl::test::expect_rows(cases);
  const int lines[][2] = {{GetLastLineLen("ab@cde", 6, '@'), 3}, {GetLastLineLen("abcdef", 6, '@'), 6},
                          {GetLastLineLen("ab@cd@", 5, '@'), 2},  // only length characters are read
                          {GetLastLineLen("", 6, '@'), 0}};
  vl::test::expect_rows(lines);
  // DuplicarAspas doubles apostrophes in a block that the library releases.
  for (const auto &[text, doubled] : {std::pair{"d'agua", "d''agua"}, {"''", "''''"}, {"", ""}}) {
    void *block = DuplicarAspas(text);
    const size_t size = std::strlen(doubled) + 1;
    ASSERT_TRUE(block != nullptr && std::memcmp(block, doubled, size) == 0) << text;
    CleaningFree(&block, static_cast<int>(size));
    EXPECT_EQ(block, nullptr);
  }
  EXPECT_EQ(DuplicarAspas(nullptr), nullptr);
}

}  // namespace
