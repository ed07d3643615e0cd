// The amount in Portuguese words, optionally cut into fixed-width lines.
#include <cmath>
#include <cstring>

#include "vertalib/amounts.h"

namespace {

// Number words by value in tenths (the amount is worked on times ten), ascending, ended by
// -1. 1000 is exactly one hundred; 1001 stands for one hundred and more.
struct NumberWord {
  int value;
  const char *word;
};

constexpr NumberWord kNumberWords[] = {
    {10, "UM"},           {20, "DOIS"},         {30, "TRES"},         {40, "QUATRO"},
    {50, "CINCO"},        {60, "SEIS"},         {70, "SETE"},         {80, "OITO"},
    {90, "NOVE"},         {100, "DEZ"},         {110, "ONZE"},        {120, "DOZE"},
    {130, "TREZE"},       {140, "QUATORZE"},    {150, "QUINZE"},      {160, "DEZESSEIS"},
    {170, "DEZESSETE"},   {180, "DEZOITO"},     {190, "DEZENOVE"},    {200, "VINTE"},
    {300, "TRINTA"},      {400, "QUARENTA"},    {500, "CINQUENTA"},   {600, "SESSENTA"},
    {700, "SETENTA"},     {800, "OITENTA"},     {900, "NOVENTA"},     {1000, "CEM"},
    {1001, "CENTO"},      {2000, "DUZENTOS"},   {3000, "TREZENTOS"},  {4000, "QUATROCENTOS"},
    {5000, "QUINHENTOS"}, {6000, "SEISCENTOS"}, {7000, "SETECENTOS"}, {8000, "OITOCENTOS"},
    {9000, "NOVECENTOS"}, {-1, nullptr},
};

struct Magnitude {
  double divisor;  // in tenths of centavos
  const char *singular;
  const char *plural;
};

constexpr Magnitude kMagnitudes[] = {
    {1e12, "BILHAO", "BILHOES"},
    {1e9, "MILHAO", "MILHOES"},
    {1e6, "MIL", "MIL"},
    {1e3, nullptr, nullptr},  // units of reais
};

// The first amount the tables cannot say: a thousand billions of reais, in centavos.
constexpr double kAmountLimit = 1e14;

// The work area of the line cutting: a copy of the text and the current line.
constexpr size_t kWorkAreaSize = 504;
char g_work_area[kWorkAreaSize];

void append(char *out, const char *text) { std::strcat(out, text); }

// The words of n (tenths, below 10000), each followed by a blank: 1230 gives
// "CENTO E VINTE E TRES ".
void append_group_words(char *out, int n) {
  bool any_word = false;
  for (int divisor = 1000; divisor >= 10; divisor /= 10) {
    if (n / divisor != 0) {
      size_t entry = 0;
      while (kNumberWords[entry].value != -1 && kNumberWords[entry].value < n) ++entry;
      if (any_word) append(out, "E ");
      any_word = true;
      if (kNumberWords[entry].value == n) {
        append(out, kNumberWords[entry].word);
        append(out, " ");
        return;
      }
      append(out, kNumberWords[entry - 1].word);
      append(out, " ");
    }
    n %= divisor;
  }
}

void write_words(double centavos, char *out) {
  out[0] = '\0';
  // Whole millions of reais (give or take the centavos) read "... MILHOES DE REAIS".
  const bool whole_millions = std::fmod(centavos, 100000000.0) < 99.9;
  bool singular_currency = false;
  double v = centavos * 10.0;
  for (const Magnitude &magnitude : kMagnitudes) {
    const double g = std::floor(v / magnitude.divisor);
    if (g != 0.0) {
      const int group = static_cast<int>(g);
      char piece[96] = "";
      // "E" before the last group of reais when that group is below one hundred or a
      // whole number of hundreds.
      if ((group % 100 == 0 || group < 100) && out[0] != '\0' &&
          std::fmod(v, magnitude.divisor) < 999.9)
        append(piece, "E ");
      append_group_words(piece, group * 10);
      if (magnitude.singular != nullptr) {
        append(piece, group == 1 ? magnitude.singular : magnitude.plural);
        append(piece, " ");
      }
      if (v < 1999.9 && out[0] == '\0') singular_currency = true;
      append(out, piece);
    }
    v = std::fmod(v, magnitude.divisor);
  }
  if (out[0] != '\0') {
    if (whole_millions) append(out, "DE ");
    append(out, singular_currency ? "REAL" : "REAIS");
  }
  if (v >= 1.1) {
    if (out[0] != '\0') append(out, " E ");
    append_group_words(out, static_cast<int>(v));
    append(out, "CENTAVOS");
  }
}

// Letters after which a word is not hyphenated.
bool is_unbreakable_letter(char c) { return c != '\0' && std::strchr("AEHILMNOQRSU", c) != nullptr; }

// Where the word cut by the end of line is hyphenated: the last letter outside the
// unbreakable set, or the start of the word; 0 when the line offers no such place.
size_t find_split_point(const char *line, size_t width) {
  for (size_t i = width - 1; i > 0; --i) {
    if (!is_unbreakable_letter(line[i])) return i;
    if (line[i - 1] == ' ') return i;
  }
  return 0;
}

int cut_into_lines(char *out, size_t width) {
  const size_t length = std::strlen(out);
  // The work area holds the text, the line and their NULs; beyond that the words stay
  // uncut.
  if (length + width + 2 > kWorkAreaSize) return 0;
  char *text = g_work_area;
  char *line = g_work_area + length + 1;
  std::memcpy(text, out, length + 1);
  size_t read = 0;
  char *write = out;
  int lines = 0;
  while (read < length) {
    const size_t taken = length - read < width ? length - read : width;
    std::memset(line, 0, width + 1);
    std::memcpy(line, text + read, taken);
    if (text[read + taken] == ' ') {
      read += taken + 1;  // the line ends on a word boundary
    } else if (length - read <= width || line[taken - 1] == ' ') {
      read += taken;
    } else {
      const size_t split = find_split_point(line, width);
      if (split == 0) {
        read += taken;  // no place to hyphenate: the word is cut as it stands
      } else {
        std::memset(line + split, ' ', width - split);
        if (line[split - 1] != ' ') line[split] = '-';
        read += split;
      }
    }
    std::memcpy(write, line, width);
    write += width;
    ++lines;
  }
  if (lines > 0 && length % width != 0) {
    char *last = write - width;
    for (size_t i = std::strlen(line); i < width; ++i) last[i] = ' ';
  }
  *write = '\0';
  return lines;
}

}  // namespace

extern "C" {

VL_API int VL_CDECL Extenso(double centavos, char *out, int lineWidth) {
  if (out == nullptr) return 0;
  // The word tables cover 0 .. 10^14 - 1 centavos; anything else (negative, NaN, infinite
  // or larger) leaves out empty instead of indexing outside them.
  if (!(centavos >= 0.0 && centavos < kAmountLimit)) {
    out[0] = '\0';
    return 0;
  }
  write_words(centavos, out);
  if (lineWidth <= 0) return 0;
  return cut_into_lines(out, static_cast<size_t>(lineWidth));
}

}  // extern "C"
