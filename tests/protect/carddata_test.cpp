#include <gtest/gtest.h>
#include <mbedtls/aes.h>
#include <mbedtls/des.h>

#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/crypto.h"
#include "vertalib/protect.h"
#include "vertalib_secrets.h"

namespace {

constexpr char kKey[] = "0123456789ABCDEF";

// mbed TLS's single DES under kKey of 16 hexadecimal digits XOR mask, as 16 digits.
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

// Cipher digits for the number's first 16 characters, then the track's rest, cleared to the size.
TEST(CardNumberInTrack, CipherDigitsReplaceTheNumberAndOpen) {
  const auto rows = vl::test::data_rows("protect/card_tracks.txt", "seal");
  ASSERT_EQ(rows.size(), 5u);
  for (const auto &c : rows) {
    SCOPED_TRACE(c[0]);
    const std::string text = des(c[2], std::string(16 - c[1].size(), '0') + c[1]) + c[3];
    Patterned<64> out;
    Patterned<20> opened;
    int32_t size = 50, length = -1;
    CriptografaDadosCartao(c[0].c_str(), static_cast<int>(c[0].size()), c[1].c_str(), static_cast<int>(c[1].size()), kKey, 0, out.bytes, &size);
    EXPECT_EQ(out.all() + " " + std::to_string(size), text + std::string(50 - text.size(), '\0') + std::string(14, '#') + " " + std::to_string(text.size()));
    EXPECT_EQ(DescriptografaDadosCartao(out.bytes, 0, c[1].c_str(), 99, kKey, 0, opened.bytes, &length), 1);
    EXPECT_EQ(opened.all() + " " + std::to_string(length), c[2] + "#### " + c[4]);
  }
}

// Refusals write nothing: sizes (see the data file), a key under 16 digits, a null track; for
// opening, a block or a key under 16 digits.
TEST(CardNumberInTrack, RefusesUntouched) {
  const auto rows = vl::test::data_rows("protect/card_tracks.txt", "size");
  ASSERT_EQ(rows.size(), 10u);
  for (const auto &c : rows) {
    int32_t size = std::stoi(c[2]);
    const std::string out = written<200>([&](char *o) { CriptografaDadosCartao(c[0].c_str(), std::stoi(c[1]), "1", 1, kKey, 16, o, &size); });
    EXPECT_EQ(std::to_string(out.size()) + " " + std::to_string(size), c[3] == "0" ? "0 " + c[2] : c[2] + " " + c[3]) << c[0] << " " << c[1];
  }
  int32_t size = 60, length = -1;
  EXPECT_EQ(written<64>([&](char *o) {
    CriptografaDadosCartao("4111111111111111=2512", 21, "1", 1, "0123456789ABCDE", 16, o, &size), CriptografaDadosCartao(nullptr, 21, "1", 1, kKey, 16, o, &size);
    DescriptografaDadosCartao("0123456789ABCDE", 16, "1", 1, kKey, 16, o, &length), DescriptografaDadosCartao("0123456789ABCDEF", 16, "1", 1, "0123", 4, o, &length);
  }) + std::to_string(size) + " " + std::to_string(length), "60 -1");
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

// Refused: 33 digits, a short key; a text of 33 or 35, a count not digits or over 32.
TEST(CardNumber, EncryptsBothHalvesOpensThemAndRefusesOtherFormats) {
  for (const char *pan : {"4111111111111111", "6062825624254001234", "4222222222222", "12345678901234567890123456789012"}) {
    const std::string digits = pan + std::string(32 - std::strlen(pan), 'F');
    const std::string text = std::to_string(std::strlen(pan)) + des(digits.substr(0, 16)) + des(digits.substr(16));
    EXPECT_EQ(written<40>([&](char *o) { Encript_PAN(pan, o, kKey); }), text) << pan;
    EXPECT_EQ(written<40>([&](char *o) { Decript_PAN(text.c_str(), o, kKey); }), pan);
  }
  const std::string body = des("4111111111111111") + des("FFFFFFFFFFFFFFFF");
  EXPECT_EQ(written<40>([&](char *o) {
    Encript_PAN("123456789012345678901234567890123", o, kKey), Encript_PAN("4111111111111111", o, "0123456789ABCDE");
    for (const std::string &text : {"16" + body.substr(1), "16" + body + "0", "1X" + body, "33" + body}) Decript_PAN(text.c_str(), o, kKey);
  }), "");
}

// Whole blocks only, from each threshold on; the track functions return the length's low 8 bits.
TEST(CardDataAes, WholeBlocksFromEachThresholdAndBack) {
  using Fn = void (*)(unsigned char *, int32_t);
  const Fn track1 = [](unsigned char *b, int32_t n) { EXPECT_EQ(EncryptTrack1AES(reinterpret_cast<char *>(b), n), n & 0xFF); };
  const Fn track2 = [](unsigned char *b, int32_t n) { EXPECT_EQ(EncryptTrack2AES(reinterpret_cast<char *>(b), n), n & 0xFF); };
  const Fn open1 = [](unsigned char *b, int32_t n) { DecryptTrack1AES(reinterpret_cast<char *>(b), static_cast<unsigned char>(n)); };
  const Fn open2 = [](unsigned char *b, int32_t n) { DecryptTrack2AES(reinterpret_cast<char *>(b), static_cast<unsigned char>(n)); };
  const struct { Fn encrypt, decrypt; int32_t length; size_t encrypted; } cases[] = {
      {EncryptDataAES, DecryptDataAES, 35, 32}, {EncryptDataAESEx, DecryptDataAESEx, 16, 16},
      {EncryptDataAES, DecryptDataAES, 15, 0}, {EncryptDataAES, DecryptDataAES, -2147483647 - 1, 0},
      {track2, open2, 19, 0}, {track2, open2, 20, 16}, {track2, open2, 37, 32},
      {track1, open1, 20, 0}, {track1, open1, 21, 16}, {track1, open1, 79, 64}, {track2, nullptr, 300, 288}};
  const std::string clear(300, '7');
  for (const auto &c : cases) {
    std::string data = clear;
    c.encrypt(reinterpret_cast<unsigned char *>(data.data()), c.length);
    EXPECT_EQ(data, card_aes(clear.substr(0, c.encrypted)) + clear.substr(c.encrypted)) << c.length;
    if (c.decrypt != nullptr) c.decrypt(reinterpret_cast<unsigned char *>(data.data()), c.length);
    EXPECT_EQ(data == clear, c.decrypt != nullptr) << c.length;
  }
}

// Count digit, at most 9 characters, 'F' to 16; a count not a digit opens 15; 3 zero bytes: no CVV.
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
  Patterned<20> foreign, none;
  std::memcpy(foreign.bytes, card_aes("Z123456789ABCDEF").data(), 16);
  std::memset(none.bytes, 0, 3);
  DecryptCvvAES(foreign.bytes);
  EncryptCvvAES(none.bytes);
  DecryptCvvAES(none.bytes);
  EXPECT_EQ(foreign.all() + none.all(), std::string("123456789ABCDEF\0####\0\0\0", 23) + std::string(17, '#'));
}

TEST(MessageScrambling, UndoesWhatItScrambles) {
  const std::string clear = std::string("\0\x01\x7F\x80\xFF", 5) + "4111111111111111=2512";
  std::string data = clear;
  EncryptMsg(reinterpret_cast<unsigned char *>(data.data()), 26);
  EXPECT_EQ(static_cast<unsigned char>(data[0]), (vl::secrets::carddata_scramble_k1[0] + vl::secrets::carddata_scramble_k2[0]) & 0xFF);
  DecryptMsg(reinterpret_cast<unsigned char *>(data.data()), 26);
  EncryptMsg(reinterpret_cast<unsigned char *>(data.data()), -1);
  EXPECT_EQ(data, clear);
}

}  // namespace
