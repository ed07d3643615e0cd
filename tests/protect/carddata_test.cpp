#include <gtest/gtest.h>
#include <mbedtls/aes.h>
#include <mbedtls/des.h>

#include <cstring>
#include <string>

#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/crypto.h"
#include "vertalib/protect.h"
#include "vertalib_secrets.h"

namespace {

constexpr char kKey[] = "0123456789ABCDEF";
const std::string kUntouched(64, '#');
int length_of(const char *text) { return static_cast<int>(std::strlen(text)); }

// Single DES (mbed TLS) under kKey of 16 hexadecimal digits XOR mask, as 16 digits.
std::string des(const std::string &digits, const std::string &mask = "0000000000000000") {
  vl::test::Bytes block = vl::test::from_hex(digits), key = vl::test::from_hex(kKey), other = vl::test::from_hex(mask);
  for (size_t i = 0; i < 8; ++i) block[i] ^= other[i];
  mbedtls_des_context context;
  mbedtls_des_init(&context);
  mbedtls_des_setkey_enc(&context, key.data());
  mbedtls_des_crypt_ecb(&context, block.data(), block.data());
  mbedtls_des_free(&context);
  return vl::test::hex_of(block.data(), 8);
}

// AES-128 ECB (mbed TLS) of the whole blocks under the key derived from the seed text and its NUL.
std::string card_aes(std::string data) {
  char seed[17] = {};
  std::memcpy(seed, vl::secrets::carddata_aes_seed, 16);
  unsigned char key[16];
  EXPECT_EQ(Gera128bitsDeterministico(1, seed, 17, key), 1);
  mbedtls_aes_context context;
  mbedtls_aes_init(&context);
  mbedtls_aes_setkey_enc(&context, key, 128);
  auto *bytes = reinterpret_cast<unsigned char *>(data.data());
  for (size_t at = 0; at + 16 <= data.size(); at += 16) mbedtls_aes_crypt_ecb(&context, MBEDTLS_AES_ENCRYPT, bytes + at, bytes + at);
  mbedtls_aes_free(&context);
  return data;
}

// The cipher digits stand where the number's first 16 characters stood, the rest of the
// track follows, the output is cleared over its size and the text's length comes back;
// opening gives the number 'F'-padded, its length ending at the first zero byte.
TEST(CardNumberInTrack, CipherDigitsReplaceTheNumberAndOpen) {
  const struct { const char *track, *field, *padded_pan, *rest; int32_t opened_length; } cases[] = {
      {"4111111111111111=25122011234567890000", "123456", "4111111111111111", "=25122011234567890000", 8},
      {"4222222222222=2405101", "123456", "4222222222222FFF", "=2405101", 8},          // 3 longer
      {"6062825624254001234=2512101", "9", "6062825624254001", "234=2512101", 8},     // 17th on stays
      {"4111111111111111D2512201", "", "4111111111111111", "D2512201", 8},             // 'D' separator
      {"5500001234567890=2512", "123456", "5500001234567890", "=2512", 1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.track);
    const std::string text = des(c.padded_pan, std::string(16 - std::strlen(c.field), '0') + c.field) + c.rest;
    Patterned<64> out;
    Patterned<20> opened;
    int32_t size = 50, length = -1;
    CriptografaDadosCartao(c.track, length_of(c.track), c.field, length_of(c.field), kKey, 0, out.bytes, &size);
    EXPECT_EQ(out.all(), text + std::string(50 - text.size(), '\0') + std::string(14, '#'));
    EXPECT_EQ(size, static_cast<int32_t>(text.size()));
    EXPECT_EQ(DescriptografaDadosCartao(out.bytes, 0, c.field, 99, kKey, 0, opened.bytes, &length), 1);
    EXPECT_EQ(opened.all() + " " + std::to_string(length), c.padded_pan + std::string("#### ") + std::to_string(c.opened_length));
  }
}

// Nothing is written when the text and its NUL would not fit (the exact fit of the text, and
// the long number the size rule alone lets through) or the input is outside the formats.
TEST(CardNumberInTrack, RefusesUntouched) {
  const std::string overlong = "4111111111111111=2512" + std::string(120, '0');
  const struct { const char *track; int length; const char *key; int32_t size, written; } cases[] = {
      {"4222222222222=2405101", 21, kKey, 24, 0}, {"4222222222222=2405101", 21, kKey, 25, 24},
      {"6062825624254001234=2512101", 27, kKey, 27, 0}, {"6062825624254001234=2512101", 27, kKey, 28, 27},
      {"4111111111111111=2512999", 21, kKey, 22, 21},  // the track ends at its length
      {overlong.c_str(), 141, kKey, 60, 0}, {"4111111111111111=2512", -5, kKey, 60, 0},
      {"4111111111111111=2512", 21, "0123456789ABCDE", 60, 0}, {nullptr, 21, kKey, 60, 0},
  };
  for (const auto &c : cases) {
    Patterned<64> out;
    int32_t size = c.size;
    CriptografaDadosCartao(c.track, c.length, "1", 1, c.key, 16, out.bytes, &size);
    EXPECT_EQ(out.all() != kUntouched, c.written != 0) << c.length << " in " << c.size;
    EXPECT_EQ(size, c.written != 0 ? c.written : c.size) << c.length << " in " << c.size;
  }
  Patterned<64> out;
  int32_t length = -1;  // a block under 16 digits, a key under 16 digits
  DescriptografaDadosCartao("0123456789ABCDE", 16, "1", 1, kKey, 16, out.bytes, &length);
  DescriptografaDadosCartao("0123456789ABCDEF", 16, "1", 1, "0123", 4, out.bytes, &length);
  EXPECT_EQ(out.all() + std::to_string(length), kUntouched + "-1");
}

// The two-part entry points join the key parts, each cut at its length, into one key.
TEST(CardNumberInTrack, KeyInTwoParts) {
  Patterned<64> out;
  Patterned<20> opened;
  int32_t size = 30;
  EXPECT_EQ(MontaCriptografiaDadosCartaoVR("4111111111111111=2512201", 24, "01234567XX", 8, "89ABCDEF", 8, "42", 2, out.bytes, &size), 1);
  EXPECT_EQ(std::string(out.bytes, 25), des("4111111111111111", "0000000000000042") + "=2512201" + '\0');
  EXPECT_EQ(DesmontaCriptografiaDadosCartaoSmartNet(out.bytes, 16, "0123", 4, "456789ABCDEF", 12, "42", 2, opened.bytes, &size), 1);
  EXPECT_EQ(opened.all(), "4111111111111111####");
  EXPECT_EQ(MontaCriptografiaDadosCartaoVR("4111111111111111=2512201", 24, "01234567", 8, "89ABCDEF", 7, "1", 1, out.bytes, &size), 1);
  EXPECT_EQ(size, 8);  // a joined key under 16 digits is no key: nothing written
}

TEST(CardNumber, EncryptsBothHalvesOpensThemAndRefusesOtherFormats) {
  for (const char *pan : {"4111111111111111", "6062825624254001234", "4222222222222", "12345678901234567890123456789012"}) {
    const std::string digits = pan + std::string(32 - std::strlen(pan), 'F');
    const std::string text = std::to_string(std::strlen(pan)) + des(digits.substr(0, 16)) + des(digits.substr(16));
    Patterned<40> encrypted, opened;
    Encript_PAN(pan, encrypted.bytes, kKey);
    EXPECT_EQ(encrypted.all(), text + "######");
    Decript_PAN(text.c_str(), opened.bytes, kKey);
    EXPECT_EQ(opened.all(), with(pan, std::strlen(pan), 40));
  }
  Patterned<40> out;  // 33 digits, a short key; a text of 33 or 35, a count not digits or over 32
  Encript_PAN("123456789012345678901234567890123", out.bytes, kKey);
  Encript_PAN("4111111111111111", out.bytes, "0123456789ABCDE");
  const std::string body = des("4111111111111111") + des("FFFFFFFFFFFFFFFF");
  for (const std::string &text : {"16" + body.substr(1), "16" + body + "0", "1X" + body, "33" + body})
    Decript_PAN(text.c_str(), out.bytes, kKey);
  EXPECT_EQ(out.all(), std::string(40, '#'));
}

// Only whole blocks from the threshold on; the encrypting track functions return the low 8
// bits of the length; each decrypting twin gives the clear text back.
TEST(CardDataAes, WholeBlocksFromEachThreshold) {
  using Fn = void (*)(char *, int32_t);
  const Fn data = [](char *b, int32_t n) { EncryptDataAES(reinterpret_cast<unsigned char *>(b), n); };
  const Fn data_ex = [](char *b, int32_t n) { EncryptDataAESEx(reinterpret_cast<unsigned char *>(b), n); };
  const Fn open = [](char *b, int32_t n) { DecryptDataAES(reinterpret_cast<unsigned char *>(b), n); };
  const Fn open_ex = [](char *b, int32_t n) { DecryptDataAESEx(reinterpret_cast<unsigned char *>(b), n); };
  const Fn track1 = [](char *b, int32_t n) { EXPECT_EQ(EncryptTrack1AES(b, n), n & 0xFF); };
  const Fn track2 = [](char *b, int32_t n) { EXPECT_EQ(EncryptTrack2AES(b, n), n & 0xFF); };
  const Fn open1 = [](char *b, int32_t n) { DecryptTrack1AES(b, static_cast<unsigned char>(n)); };
  const Fn open2 = [](char *b, int32_t n) { DecryptTrack2AES(b, static_cast<unsigned char>(n)); };
  const struct { Fn encrypt, decrypt; int32_t length; size_t encrypted; } cases[] = {
      {data, open, 35, 32}, {data_ex, open_ex, 35, 32}, {data, open, 15, 0}, {data, open, -2147483647 - 1, 0},
      {track2, open2, 19, 0}, {track2, open2, 20, 16}, {track2, open2, 37, 32},
      {track1, open1, 20, 0}, {track1, open1, 21, 16}, {track1, open1, 79, 64}, {track2, nullptr, 300, 288},
  };
  const std::string clear(300, '7');
  for (const auto &c : cases) {
    std::string text = clear;
    c.encrypt(text.data(), c.length);
    EXPECT_EQ(text, card_aes(clear.substr(0, c.encrypted)) + clear.substr(c.encrypted)) << c.length;
    if (c.decrypt != nullptr) c.decrypt(text.data(), c.length);
    EXPECT_EQ(text == clear, c.decrypt != nullptr) << c.length;
  }
}

TEST(CardDataAes, CvvBlock) {
  const char *cases[][3] = {{"123", "3123FFFFFFFFFFFF", "123"}, {"", "0FFFFFFFFFFFFFFF", ""},
                            {"123456789012", "9123456789FFFFFF", "123456789"}};
  for (const auto &c : cases) {
    Patterned<20> cvv(c[0]);
    EncryptCvvAES(cvv.bytes);
    EXPECT_EQ(cvv.all(), card_aes(c[1]) + "####") << c[0];
    DecryptCvvAES(cvv.bytes);
    EXPECT_EQ(cvv.all(), c[2] + std::string(16 - std::strlen(c[2]), '\0') + "####") << c[0];
  }
  // A count that is not a digit opens at most 15 characters; three zero bytes are no CVV.
  Patterned<20> foreign, none;
  std::memcpy(foreign.bytes, card_aes("Z123456789ABCDEF").data(), 16);
  DecryptCvvAES(foreign.bytes);
  EXPECT_EQ(foreign.all(), std::string("123456789ABCDEF\0####", 20));
  std::memset(none.bytes, 0, 3);
  EncryptCvvAES(none.bytes);
  DecryptCvvAES(none.bytes);
  EXPECT_EQ(none.all(), std::string(3, '\0') + std::string(17, '#'));
}

TEST(MessageScrambling, ChainsEveryByteAndUndoes) {
  std::string all(256, '\0');
  for (size_t i = 0; i < 256; ++i) all[i] = static_cast<char>(i);
  std::string data = all, changed = all;
  changed[0] = 1;  // every byte after a changed one changes
  EncryptMsg(reinterpret_cast<unsigned char *>(data.data()), 256);
  EncryptMsg(reinterpret_cast<unsigned char *>(changed.data()), 256);
  EXPECT_EQ(static_cast<unsigned char>(data[0]), (vl::secrets::carddata_scramble_k1[0] + vl::secrets::carddata_scramble_k2[0]) & 0xFF);
  for (size_t i = 0; i < 256; ++i) EXPECT_NE(changed[i], data[i]) << i;
  DecryptMsg(reinterpret_cast<unsigned char *>(data.data()), 256);
  EncryptMsg(reinterpret_cast<unsigned char *>(data.data()), -1);
  EXPECT_EQ(data, all);
}

}  // namespace
