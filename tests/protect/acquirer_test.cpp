#include <gtest/gtest.h>
#include <mbedtls/aes.h>
#include <mbedtls/sha1.h>

#include <algorithm>
#include <tuple>

#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/protect.h"
#include "vertalib_secrets.h"

namespace {

using vl::test::hex_of;

// The cipher's 17 half-rounds by the key positions each uses: four for R0..R3 against L0..L3,
// three for L1, L3 and L0 (L2 mixes R1 and R0 alone). Cript runs them forwards, descript back.
std::string by_list(const unsigned char *start, const unsigned char *k, bool forwards) {
  const char *list[17] = {"0123", "456", "789A", "BCD", "E012", "345", "6789", "ABC", "DE01",
                          "234",  "5678", "9AB", "CDE0", "123", "4567", "89A", "BCDE"};
  const unsigned char *s = vl::secrets::acquirer_cript_table;
  unsigned char b[8], *l = b, *r = b + 4;
  std::memcpy(b, start, 8);
  for (int n = 0; n < 17; ++n) {
    const char *g = list[forwards ? n : 16 - n];
    auto key = [&](int j) { return k[g[j] <= '9' ? g[j] - '0' : g[j] - 'A' + 10]; };
    if (n % 2 == 0) for (int j = 0; j < 4; ++j) r[j] ^= s[key(j) ^ l[j]];
    else l[1] ^= s[key(0) ^ r[0]], l[2] ^= s[r[1] ^ r[0]], l[3] ^= s[key(1) ^ r[2]], l[0] ^= s[key(2) ^ r[3]];
  }
  return hex_of(b, 8);
}

TEST(AcquirerCipher, RunsItsHalfRoundsBothWays) {
  const unsigned char key[15] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32},
                      start[8] = {'4', '1', '1', '1', 0x80, 0x01, 0x7F, 0xFE};
  unsigned char block[8];
  std::memcpy(block, start, 8);
  Cript(block, key);
  EXPECT_EQ(hex_of(block, 8), by_list(start, key, true));
  descript(block, key);
  EXPECT_EQ(hex_of(block, 8), hex_of(start, 8));
  descript(block, key);
  EXPECT_EQ(hex_of(block, 8), by_list(start, key, false));
}

TEST(Scramble, TranspositionAndItsInverse) {
  const char *cases[][2] = {{"ABCDEFG", "ABDFGEC"}, {"ABCDEFGH", "ABDFHGEC"}, {"A", "A"}, {"0123456789", "0135798642"}};
  void (*const fns[4])(const char *, char *) = {scramble, discramble, [](const char *in, char *out) { scramble_StdCall(in, out); },
                                                [](const char *in, char *out) { discramble_StdCall(in, out); }};
  for (const auto &c : cases)
    for (int f = 0; f < 4; ++f)
      EXPECT_EQ(written<16>([&](char *o) { fns[f](c[f % 2], o); }), c[1 - f % 2] + std::string(1, '\0')) << c[f % 2];
  EXPECT_EQ(written<8>([](char *o) { scramble("", o), discramble("", o); }), "");
  const std::string longer = "abc" + std::string(65536, 'z');  // the length counts as 3
  EXPECT_EQ(written<8>([&](char *o) { scramble(longer.c_str(), o); }), std::string("abc", 4));
}

TEST(Algtec, MixesReferenceAndDigitsOrRefusesWritingNothing) {
  const auto rows = vl::test::data_rows("protect/algtec.txt", "");
  ASSERT_EQ(rows.size(), 6u);
  for (const auto &r : rows)
    for (int run = 0; run < 2; ++run) {  // each call reads from the start again
      char digits[32] = {};
      std::strcpy(digits, r[1].c_str());
      const std::string second = HEX_OF(8, algtec(r[0].c_str(), digits, static_cast<unsigned char>(std::stoi(r[2])), o));
      EXPECT_EQ(hex_of(reinterpret_cast<unsigned char *>(digits), r[3].size() / 2) + " " + second, r[3] + " " + r[4]) << r[1];
    }
}

TEST(CripBem, ScalesTheTwoPairsAndAddsTheAddend) {
  const unsigned f1 = vl::secrets::acquirer_bem_factor_1[0] * 256u + vl::secrets::acquirer_bem_factor_1[1];
  const unsigned f2 = vl::secrets::acquirer_bem_factor_2[0] * 256u + vl::secrets::acquirer_bem_factor_2[1];
  ASSERT_TRUE(31 * f1 < 10000 && 31 * f2 < 1000);  // the products below fit their widths
  for (const auto &[value, addend_text] : {std::pair<std::string, const char *>{"0000", "123456"}, {"1231", "000000"}, {"3112999", "999999"}}) {
    const char *addend = addend_text;
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08lu", std::stoul(value.substr(0, 2)) * f1 * 1000 + std::stoul(value.substr(2, 2)) * f2 + std::stoul(addend));
    EXPECT_EQ(written<12>([&](char *o) { cripBEM(o, addend); }, value.c_str()), digits) << value;
  }
  EXPECT_EQ(written<12>([](char *o) { cripBEM(o, "12345"); }, "1231"), std::string("1231", 5));  // addend under 6
  EXPECT_EQ(written<12>([](char *o) { cripBEM(o, "123456"); }, "123"), std::string("123", 4));   // value under 4
}

const char *kTexts[3] = {"31415926535", "271", "828182"};
using TrackFn = int (*)(char *, int32_t *, const char *, int32_t, const char *, const char *, const char *);

// Result, length and the written bytes (up to the last that is not '#').
std::string run(TrackFn fn, const std::string &in, const char *t2 = kTexts[1]) {
  int32_t length = -7;
  const std::string bytes = written<100>([&](char *o) { return fn(o, &length, in.data(), static_cast<int32_t>(in.size()), kTexts[0], t2, kTexts[2]); });
  return bytes.substr(0, 2) + std::to_string(length) + " " + bytes.substr(2);
}

// "1 <length> ", the card-data function's 16 digits of clear16 under the pattern's texts, plain.
std::string sealed(const unsigned char (&pattern)[32], const char *clear16, const std::string &plain) {
  std::string key, field;
  for (int i = 0; i < 32; ++i) (i < 16 ? key : field) += kTexts[pattern[i] >> 4][pattern[i] & 0x0F];
  char out[17] = {};
  int32_t size = sizeof out;
  CriptografaDadosCartao(clear16, 16, field.c_str(), 16, key.c_str(), 16, out, &size);
  return "1 " + std::to_string(16 + plain.size()) + " " + out + plain;
}

TEST(TrackProtection, SealsTheLeadingCardDigitsAndOpensThemAgain) {
  const auto rows = vl::test::data_rows("protect/tracks.txt", "");
  ASSERT_EQ(rows.size(), 6u);
  for (const auto &r : rows) {
    const bool stone = r[0] == "stone";
    const std::string out = run(stone ? CriptStone : CriptVindi, r[1]);
    EXPECT_EQ(out, sealed(stone ? vl::secrets::acquirer_stone_pattern : vl::secrets::acquirer_vindi_pattern, r[2].c_str(), r[3])) << r[1];
    EXPECT_EQ(run(stone ? DescriptStone : descript_vindi, out.substr(out.find(' ', 2) + 1)), "1 " + std::to_string(r[1].size()) + " " + r[1]);
  }
  // Vindi opens at most 64 characters. Refused: a 12-digit card number, a key text under 3.
  const std::string track = "4111111111111111=" + std::string(60, '7');
  EXPECT_EQ(run(DescriptVindi, run(CriptVindi, track).substr(5)), "1 64 " + track.substr(0, 64));
  EXPECT_EQ(run(CriptStone, "411111111111=2512101") + run(CriptVindi, track, "27") + run(DescriptStone, track, "27"), "0 -7 0 -7 0 -7 ");
}

TEST(RandomKey, WritesCountBytesOnly) {
  Patterned<40> first, second;
  GeraChaveCriptografica(reinterpret_cast<unsigned char *>(first.bytes), 32);
  GeraChaveCriptografica(reinterpret_cast<unsigned char *>(second.bytes), 32);
  EXPECT_EQ(first.all().substr(32) + second.all().substr(32), std::string(16, '#'));
  EXPECT_NE(first.all(), second.all());
  EXPECT_EQ(written<8>([](char *o) { GeraChaveCriptografica(reinterpret_cast<unsigned char *>(o), 0); }), "");
}

// Check value, protected key and protected phrase of a phrase, computed with mbed TLS.
std::vector<std::string> expected_for(const std::string &phrase) {
  unsigned char digest[20], zero[16] = {}, iv[16] = {}, out[16];
  mbedtls_sha1_ret(reinterpret_cast<const unsigned char *>(phrase.data()), phrase.size(), digest);
  mbedtls_aes_context aes;
  mbedtls_aes_init(&aes);
  mbedtls_aes_setkey_enc(&aes, digest, 128);
  mbedtls_aes_crypt_ecb(&aes, MBEDTLS_AES_ENCRYPT, zero, out);
  std::vector<std::string> e = {hex_of(out, 6)};
  mbedtls_aes_setkey_enc(&aes, vl::secrets::acquirer_phrase_key_1, 128);
  mbedtls_aes_crypt_cbc(&aes, MBEDTLS_AES_ENCRYPT, 16, iv, digest, out);
  e.push_back(hex_of(out, 16));
  std::vector<unsigned char> padded((phrase.size() + 15) / 16 * 16, 0);
  std::copy(phrase.begin(), phrase.end(), padded.begin());  // (an empty phrase has no block)
  std::memset(iv, 0, 16);
  mbedtls_aes_setkey_enc(&aes, vl::secrets::acquirer_phrase_key_2, 128);
  mbedtls_aes_crypt_cbc(&aes, MBEDTLS_AES_ENCRYPT, padded.size(), iv, padded.data(), padded.data());
  e.push_back(hex_of(padded.data(), padded.size()));
  mbedtls_aes_free(&aes);
  return e;
}

TEST(InitialPhrase, ChecksProtectsOrRefusesWritingNothing) {
  for (const std::string phrase : {"senha14", "0123456789abcdef", "a pass phrase of 30 characters", ""}) {
    const auto e = expected_for(phrase);
    Patterned<80> key, sealed;
    EXPECT_EQ(ValidaProtegeFraseInicial(0, phrase.c_str(), e[0].c_str(), key.bytes, sealed.bytes), 0);
    EXPECT_EQ(key.all() + sealed.all(), with(e[1].c_str(), 32, 80) + with(e[2].c_str(), e[2].size(), 80)) << phrase;
  }
  // Mode not 0: 2; a wrong or short check value: 1 (E477F01FED8 and its NUL read as senha14's E477F01FED50).
  const std::string right = expected_for("senha14")[0];
  std::string wrong = right;
  wrong[11] = wrong[11] == '0' ? '1' : '0';
  for (const auto &[mode, check, result] : {std::tuple<int, std::string, int>{1, right, 2}, {0, wrong, 1}, {0, "E477F01FED8", 1}}) {
    Patterned<80> key, sealed;
    EXPECT_EQ(ValidaProtegeFraseInicial(mode, "senha14", check.c_str(), key.bytes, sealed.bytes), result);
    EXPECT_EQ(key.all() + sealed.all(), std::string(160, '#')) << check;
  }
}

}  // namespace
