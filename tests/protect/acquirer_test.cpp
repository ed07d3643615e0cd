// Acquirer ciphers and scrambling: the 8-byte cipher, the transposition, algtec, cripBEM,
// the Stone and Vindi track protections, the random key and the initial pass phrase.
#include <gtest/gtest.h>
#include <mbedtls/aes.h>
#include <mbedtls/sha1.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/sentinel.h"
#include "vertalib/convert.h"
#include "vertalib/crypto.h"
#include "vertalib/protect.h"
#include "vertalib_secrets.h"

namespace {

std::string hex(const void *bytes, size_t count) {
  std::string text(2 * count, ' ');
  binary2hex(static_cast<const unsigned char *>(bytes), static_cast<unsigned>(count), text.data());
  return text;
}

// The cipher as its list of 17 half-rounds, each the key positions it uses (hex digits):
// four for R0..R3 against L0..L3, then three for L1, L3 and L0 (L2 mixes R1 and R0 alone).
// Cript runs the list forwards, descript backwards.
std::string by_list(const unsigned char *start, const unsigned char *k, bool forwards) {
  const char *list[17] = {"0123", "456", "789A", "BCD", "E012", "345", "6789", "ABC", "DE01",
                          "234",  "5678", "9AB", "CDE0", "123", "4567", "89A", "BCDE"};
  const unsigned char *s = vl::secrets::acquirer_cript_table;
  unsigned char b[8], *l = b, *r = b + 4;
  std::memcpy(b, start, 8);
  for (int n = 0; n < 17; ++n) {
    const char *g = list[forwards ? n : 16 - n];
    auto key = [&](int j) { return k[g[j] <= '9' ? g[j] - '0' : g[j] - 'A' + 10]; };
    if (n % 2 == 0) {
      for (int j = 0; j < 4; ++j) r[j] ^= s[key(j) ^ l[j]];
    } else {
      l[1] ^= s[key(0) ^ r[0]], l[2] ^= s[r[1] ^ r[0]], l[3] ^= s[key(1) ^ r[2]], l[0] ^= s[key(2) ^ r[3]];
    }
  }
  return hex(b, 8);
}

TEST(AcquirerCipher, RunsItsHalfRoundsBothWaysAndEveryKeyByteCounts) {
  const unsigned char key[15] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32};
  const unsigned char start[8] = {'4', '1', '1', '1', 0x80, 0x01, 0x7F, 0xFE};
  unsigned char block[8];
  std::memcpy(block, start, 8);
  Cript(block, key);
  const std::string sealed = hex(block, 8);
  EXPECT_EQ(sealed, by_list(start, key, true));
  descript(block, key);
  EXPECT_EQ(hex(block, 8), hex(start, 8));
  std::memcpy(block, start, 8);
  descript(block, key);
  EXPECT_EQ(hex(block, 8), by_list(start, key, false));
  for (int position = 0; position < 15; ++position) {
    unsigned char other[15];
    std::memcpy(other, key, 15);
    other[position] ^= 0x01;
    std::memcpy(block, start, 8);
    Cript(block, other);
    EXPECT_NE(hex(block, 8), sealed) << "key byte " << position;
    descript(block, other);
    EXPECT_EQ(hex(block, 8), hex(start, 8)) << "key byte " << position;
  }
}

TEST(Scramble, TranspositionAndItsInverseLeaveTheInputAlone) {
  const char *cases[][2] = {{"ABCDEFG", "ABDFGEC"}, {"ABCDEFGH", "ABDFHGEC"}, {"A", "A"},
                            {"ABCDE", "ABDEC"},     {"0123456789", "0135798642"}};
  // The cdecl exports and their stdcall twins (a different pointer type on 32 bits).
  using Fn = std::function<void(const char *, char *)>;
  const Fn fns[2][2] = {{scramble, discramble}, {scramble_StdCall, discramble_StdCall}};
  for (const auto &c : cases) {
    for (const auto &fn : fns) {
      for (int way = 0; way < 2; ++way) {
        char in[16];
        std::strcpy(in, c[way]);
        Patterned<16> out;
        fn[way](in, out.bytes);
        EXPECT_EQ(out.all(), with(c[1 - way], std::strlen(in) + 1, 16)) << in;
        EXPECT_STREQ(in, c[way]);
      }
    }
  }
  Patterned<8> out;
  scramble("", out.bytes);
  discramble("", out.bytes);
  EXPECT_EQ(out.all(), "########");
  std::string longer = "abc" + std::string(65536, 'z');  // the length counts as 3
  scramble(longer.c_str(), out.bytes);
  EXPECT_EQ(out.all(), with("abc", 4, 8));
}

TEST(Algtec, MixesReferenceAndDigits) {
  // Reference positions 5-8 "1357", 9-16 "24680864", 18-19 "71", 22-23 "53": R0 = 53,
  // R1 = 71, R2 = 13, R3 = 57, R4 = 24, R5 = 68, R6 = 08, R7 = 64.
  const char *reference = "00001357246808649719953";
  const struct {
    const char *digits;
    unsigned char count;
    const char *first, *second;
  } cases[] = {
      // 314159: B0 = 13, B1 = 14, B2 = 95; Q3 = 13^24 = 37, Q2 = 14^68 = 7C, Q1 = 95^08 = 9D,
      // Q0 = 13^64 = 77; + 33 gives Q0..Q6 = AA D0 AF 6A C8 47 46.
      {"314159", 6, "084624C813AF53AA", "47646A68D0570671"},
      // d7 = 2, d8 = 6 into Q3 low and high: 62 + 33 = 95; R0 = 53 + 2 = 55.
      {"31415926", 8, "084624C813AF55AA", "47649568D0570871"},
      // 18 digits: R0 = 53 + 12; d7..d14 make Q3..Q0 = 62 35 85 79, + 33 = 95 68 B8 AC;
      // d15..d18 = 9323 make Z7 = 39, Z6 = 32: R7 = 64 + 39 = 9D, R6 = 08 + 32 = 3A.
      {"314159265358979323", 18, "3A4624C813685FAC", "479D9568B8571271"},
      {"31415", 5, "3331343135", "2323232323232323"},  // refused: below 6 digits
      {"3141592", 8, "33313431353932", "2323232323232323"},  // refused: 7 digits for 8
  };
  for (const auto &c : cases) {
    for (int run = 0; run < 2; ++run) {  // each call reads from the start again
      char digits[32] = {};
      std::strcpy(digits, c.digits);
      unsigned char second[8];
      std::memset(second, '#', 8);
      algtec(reference, digits, c.count, second);
      EXPECT_EQ(hex(digits, std::strlen(c.first) / 2), c.first) << c.digits;
      EXPECT_EQ(hex(second, 8), c.second) << c.digits;
    }
  }
}

TEST(CripBem, ScalesTheTwoPairsAndAddsTheAddend) {
  const unsigned f1 = vl::secrets::acquirer_bem_factor_1[0] * 256u + vl::secrets::acquirer_bem_factor_1[1];
  const unsigned f2 = vl::secrets::acquirer_bem_factor_2[0] * 256u + vl::secrets::acquirer_bem_factor_2[1];
  ASSERT_TRUE(31 * f1 < 10000 && 31 * f2 < 1000);  // the products below fit their widths
  const struct {
    const char *value;
    unsigned p, q;
    const char *addend;
  } cases[] = {{"0000", 0, 0, "123456"}, {"1231", 12, 31, "000000"}, {"3112999", 31, 12, "999999"}};
  for (const auto &c : cases) {
    Patterned<12> value(c.value);
    cripBEM(value.bytes, c.addend);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08lu", c.p * f1 * 1000 + c.q * f2 + std::stoul(c.addend));
    EXPECT_EQ(value.all(), digits + Patterned<12>(c.value).all().substr(8)) << c.value;
  }
}

// ---- Stone and Vindi ----

const char *kTexts[3] = {"31415926535", "271", "828182"};
using TrackFn = int (*)(char *, int32_t *, const char *, int32_t, const char *, const char *, const char *);

// Result, length and the written bytes (up to the last that is not '#').
std::string run(TrackFn fn, const std::string &in, const char *t2 = kTexts[1]) {
  Patterned<100> out;
  int32_t length = -7;
  const int result = fn(out.bytes, &length, in.data(), static_cast<int32_t>(in.size()), kTexts[0], t2, kTexts[2]);
  std::string bytes = out.all();
  bytes.erase(bytes.find_last_not_of('#') + 1);
  return std::to_string(result) + " " + std::to_string(length) + " " + bytes;
}

// "1 <length> " and the 16 digits the card-data function makes of clear16 with the key text
// and field text the pattern picks, then plain.
std::string sealed(const unsigned char (&pattern)[32], const char *clear16, const std::string &plain) {
  std::string key, field;
  for (int i = 0; i < 32; ++i) (i < 16 ? key : field) += kTexts[pattern[i] >> 4][pattern[i] & 0x0F];
  char out[17] = {};
  int32_t size = sizeof out;
  CriptografaDadosCartao(clear16, 16, field.c_str(), 16, key.c_str(), 16, out, &size);
  return "1 " + std::to_string(16 + plain.size()) + " " + out + plain;
}

TEST(TrackProtection, SealsTheLeadingCardDigitsAndOpensThemAgain) {
  const auto &stone = vl::secrets::acquirer_stone_pattern;
  const auto &vindi = vl::secrets::acquirer_vindi_pattern;
  const struct {
    TrackFn seal, open;
    const unsigned char (&pattern)[32];
    const char *track, *clear16, *plain;
  } cases[] = {
      {CriptStone, DescriptStone, stone, "4111111111111111=2512101000001", "4111111111111111", "=2512101000001"},
      {CriptStone, DescriptStone, stone, "5078601870000=2512101123", "5078601870000E25", "12101123"},
      {CriptStone, DescriptStone, stone, "6062825624254001234=2512101", "6062825624254001", "234=2512101"},
      {CriptVindi, DescriptVindi, vindi, "4111111111111111=2512101000001", "4111111111111111", "=2512101000001"},
      {CriptVindi, DescriptVindi, vindi, "5078601870000=2512101123", "5078601870000FFF", "=2512101123"},
      {CriptVindi, descript_vindi, vindi, "6062825624254001234=2512101", "6062825624254001", "234=2512101"},
  };
  for (const auto &c : cases) {
    const std::string out = run(c.seal, c.track);
    EXPECT_EQ(out, sealed(c.pattern, c.clear16, c.plain)) << c.track;
    const std::string protected_text = out.substr(out.find(' ', 2) + 1);
    EXPECT_EQ(run(c.open, protected_text), "1 " + std::to_string(std::strlen(c.track)) + " " + c.track);
  }
  // An opened Vindi track stops at 64 characters.
  const std::string track = "4111111111111111=" + std::string(60, '7');
  EXPECT_EQ(run(DescriptVindi, run(CriptVindi, track).substr(5)), "1 64 " + track.substr(0, 64));
  // Refused: a 12-digit card number (not taken whole), a key text under its 3 characters.
  EXPECT_EQ(run(CriptStone, "411111111111=2512101"), "0 -7 ");
  EXPECT_EQ(run(CriptVindi, track, "27"), "0 -7 ");
  EXPECT_EQ(run(DescriptStone, track, "27"), "0 -7 ");
}

// ---- the random key ----

uint32_t step(uint32_t state) { return state * 214013u + 2531011u; }

// The generator's state from four of its outputs (bit 31 never shows in them: taken as 0).
uint32_t recovered_state() {
  int o[4];
  for (int &v : o) v = GetRandomNumber();
  for (uint32_t low = 0; low < 0x10000; ++low) {
    uint32_t s = static_cast<uint32_t>(o[0]) << 16 | low;
    int n = 1;
    while (n < 4 && static_cast<int>(((s = step(s)) >> 16) & 0x7FFF) == o[n]) ++n;
    if (n == 4) return s;
  }
  return 0;
}

TEST(RandomKey, WritesCountBytesAndAlwaysMixesTheTime) {
  Patterned<40> first, second;
  GeraChaveCriptografica(reinterpret_cast<unsigned char *>(first.bytes), 32);
  GeraChaveCriptografica(reinterpret_cast<unsigned char *>(second.bytes), 32);
  EXPECT_EQ(first.all().substr(32) + second.all().substr(32), std::string(16, '#'));
  EXPECT_NE(first.all(), second.all());
  for (int attempt = 0; attempt < 5; ++attempt) {
    const uint32_t state = recovered_state();
    const int64_t now = vl::platform::epoch_now();
    Patterned<4> out;
    GeraChaveCriptografica(reinterpret_cast<unsigned char *>(out.bytes), 0);
    EXPECT_EQ(out.all(), "####");
    const int expected = static_cast<int>((step(state ^ static_cast<uint32_t>(now) * 1812433253u) >> 16) & 0x7FFF);
    if (vl::platform::epoch_now() != now) continue;  // the second changed: try again
    EXPECT_EQ(GetRandomNumber(), expected);
    return;
  }
  ADD_FAILURE() << "the clock kept changing second";
}

// ---- the initial pass phrase ----

// Check value, protected key and protected phrase of a phrase, computed with mbed TLS.
std::vector<std::string> expected_for(const std::string &phrase) {
  unsigned char digest[20], zero[16] = {}, iv[16] = {}, out[16];
  mbedtls_sha1_ret(reinterpret_cast<const unsigned char *>(phrase.data()), phrase.size(), digest);
  mbedtls_aes_context aes;
  mbedtls_aes_init(&aes);
  mbedtls_aes_setkey_enc(&aes, digest, 128);
  mbedtls_aes_crypt_ecb(&aes, MBEDTLS_AES_ENCRYPT, zero, out);
  std::vector<std::string> e = {hex(out, 6)};
  mbedtls_aes_setkey_enc(&aes, vl::secrets::acquirer_phrase_key_1, 128);
  mbedtls_aes_crypt_cbc(&aes, MBEDTLS_AES_ENCRYPT, 16, iv, digest, out);
  e.push_back(hex(out, 16));
  std::vector<unsigned char> padded((phrase.size() + 15) / 16 * 16, 0);
  std::copy(phrase.begin(), phrase.end(), padded.begin());
  std::memset(iv, 0, 16);
  mbedtls_aes_setkey_enc(&aes, vl::secrets::acquirer_phrase_key_2, 128);
  mbedtls_aes_crypt_cbc(&aes, MBEDTLS_AES_ENCRYPT, padded.size(), iv, padded.data(), padded.data());
  e.push_back(hex(padded.data(), padded.size()));
  mbedtls_aes_free(&aes);
  return e;
}

TEST(InitialPhrase, ChecksProtectsOrRefusesWritingNothing) {
  for (const std::string phrase : {"senha", "0123456789abcdef", "a pass phrase of 30 characters", ""}) {
    const auto e = expected_for(phrase);
    Patterned<40> key;
    Patterned<80> sealed;
    EXPECT_EQ(ValidaProtegeFraseInicial(0, phrase.c_str(), e[0].c_str(), key.bytes, sealed.bytes), 0);
    EXPECT_EQ(key.all(), with(e[1].c_str(), 32, 40));
    EXPECT_EQ(sealed.all(), with(e[2].c_str(), (phrase.size() + 15) / 16 * 32, 80)) << phrase;
  }
  const std::string right = expected_for("senha")[0];
  std::string wrong = right;
  wrong[11] = wrong[11] == '0' ? '1' : '0';
  const struct {
    int32_t mode;
    const char *check;
    int result;
  } cases[] = {{1, right.c_str(), 2}, {0, wrong.c_str(), 1}, {0, "", 1}};
  for (const auto &c : cases) {
    Patterned<40> key, sealed;
    EXPECT_EQ(ValidaProtegeFraseInicial(c.mode, "senha", c.check, key.bytes, sealed.bytes), c.result);
    EXPECT_EQ(key.all() + sealed.all(), std::string(80, '#'));
  }
}

}  // namespace
