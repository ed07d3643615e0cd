#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "crypto/cipher.h"
#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/crypto.h"

namespace {

using vl::test::Bytes;
using vl::test::from_hex;
using vl::test::to_hex;

std::vector<vl::test::Row> vectors(const char *kind) { return vl::test::data_rows("crypto/block_ciphers.txt", kind); }

aes_key_context context_for(const Bytes &key, size_t length, int encrypt_only) {
  aes_key_context ctx;
  std::memset(&ctx, 0xAA, sizeof ctx);
  aes_set_key(&ctx, key.data(), static_cast<unsigned int>(length), encrypt_only);
  return ctx;
}

TEST(Aes, PublishedVectorsInEcbAndCbcOverWholeBlocksOnlyOnEveryPathThenTheRoundKeyLayout) {
  const auto cbc = vectors("aes-cbc").at(0);
  ASSERT_EQ(vectors("aes").size(), 4u);
  const aes_key_context junk = [&] { auto c = context_for(from_hex(cbc[0]), 16, 0); return c.rounds = 11, c; }();
  for (bool instructions : {false, true}) {
    if (vl::aes_use_instructions(instructions) != instructions) continue;
    SCOPED_TRACE(instructions ? "processor instructions" : "lookup tables");
    for (const auto &row : vectors("aes")) {
      const Bytes key = from_hex(row[0]);
      for (size_t length : {key.size(), 8 * key.size()}) {  // in bytes or in bits
        const aes_key_context ctx = context_for(key, length, 0);
        Bytes buffer = from_hex(row[1] + row[1] + "01");
        aes_ecb_encrypt(&ctx, buffer.data(), 33);
        EXPECT_EQ(to_hex(buffer), row[2] + row[2] + "01") << row[0] << " length " << length;
        aes_ecb_decrypt(&ctx, buffer.data(), 33);
        EXPECT_EQ(to_hex(buffer), row[1] + row[1] + "01") << row[0] << " length " << length;
      }
    }
    const aes_key_context ctx = context_for(from_hex(cbc[0]), 16, 0);
    const Bytes iv = from_hex(cbc[1]);
    Bytes buffer = from_hex(cbc[2] + "0102");
    aes_cbc_encrypt(&ctx, iv.data(), buffer.data(), 34);
    EXPECT_EQ(to_hex(buffer), cbc[3] + "0102");
    aes_cbc_decrypt(&ctx, iv.data(), buffer.data(), 34);
    EXPECT_EQ(to_hex(buffer) + to_hex(iv), cbc[2] + "0102" + cbc[1]);
    // Short lengths, and a context whose rounds are not 10, 12 or 14, leave the bytes alone.
    for (const aes_key_context *c : {&ctx, &junk}) {
      const unsigned int length = c == &ctx ? 15 : 16;
      for (auto run : {aes_ecb_encrypt, aes_ecb_decrypt}) run(c, buffer.data(), length);
      for (auto run : {aes_cbc_encrypt, aes_cbc_decrypt}) run(c, iv.data(), buffer.data(), length);
    }
    EXPECT_EQ(to_hex(buffer), cbc[2] + "0102");
  }
  vl::aes_use_instructions(true);

  const Bytes key = from_hex("2b7e151628aed2a6abf7158809cf4f3c");
  const aes_key_context both = context_for(key, 128, 0), encrypt_only = context_for(key, 16, 1);
  EXPECT_EQ(both.key_words * 100 + both.rounds, 410u);
  // Key words little-endian (w4 = a0fafe17); the inverse keys reversed, inner ones through
  // inverse MixColumns (w36 = ac7766f3 gives 0c7b5a63).
  EXPECT_EQ(both.enc_keys[4], 0x17FEFAA0u);
  EXPECT_EQ(both.dec_keys[3], both.enc_keys[43]);
  EXPECT_EQ(both.dec_keys[4], 0x635A7B0Cu);
  EXPECT_EQ(std::memcmp(encrypt_only.enc_keys, both.enc_keys, sizeof both.enc_keys), 0);
  EXPECT_EQ(encrypt_only.dec_keys[0], 0xAAAAAAAAu);
  Bytes longer = key;  // any other length is AES-128 over the first 16 key bytes
  longer.resize(32, 7);
  const aes_key_context twenty = context_for(longer, 20, 0);
  EXPECT_EQ(std::memcmp(&twenty, &both, sizeof both), 0);
}

TEST(Des, KnownAnswersBothDirectionsAndCbc) {
  ASSERT_EQ(vectors("des").size(), 8u);
  for (const auto &row : vectors("des")) {
    const Bytes key = from_hex(row[0]);
    Bytes block = from_hex(row[1]);
    EXPECT_EQ(desnbs(0, block.data(), key.data(), block.data()), 0);
    EXPECT_EQ(to_hex(block), row[2]) << row[0];
    desnbs(7, block.data(), key.data(), block.data());  // any nonzero direction decrypts
    EXPECT_EQ(to_hex(block), row[1]) << row[0];
  }
  const auto row = vectors("des-cbc").at(0);
  const Bytes key = from_hex(row[0]), iv = from_hex(row[1]);
  Bytes buffer = from_hex(row[2]);
  des_cbc_encrypt(key.data(), iv.data(), buffer.data(), 24);
  EXPECT_EQ(to_hex(buffer), row[3]);
  des_cbc_decrypt(key.data(), iv.data(), buffer.data(), 24);
  EXPECT_EQ(to_hex(buffer) + to_hex(iv), row[2] + row[1]);
  des_cbc_encrypt(key.data(), iv.data(), buffer.data(), 15);  // one whole block
  for (int32_t length : {7, 0, -8, INT32_MIN})
    des_cbc_encrypt(key.data(), iv.data(), buffer.data(), length), des_cbc_decrypt(key.data(), iv.data(), buffer.data(), length);
  EXPECT_EQ(to_hex(buffer), row[3].substr(0, 16) + row[2].substr(16));
}

// The key texts carry two characters past their stated digits, which are never read.
TEST(TripleDes, PublishedValuesKeyCheckValuesAndRefusals) {
  ASSERT_EQ(vectors("ede").size() + vectors("eee").size(), 7u);
  for (const char *kind : {"ede", "eee"}) {
    const auto run = kind[1] == 'd' ? tripleDES_EDE : tripleDES_EEE;
    for (const auto &row : vectors(kind)) {
      const std::string key = row[0] + "ZZ", plain = to_hex(from_hex(row[1]));
      const int digits = static_cast<int>(row[0].size());
      Bytes block = from_hex(plain);
      EXPECT_EQ(run(0, digits, key.c_str(), block.data(), block.data()), 0);
      EXPECT_EQ(to_hex(block), row[2]) << kind << " " << plain;
      EXPECT_EQ(run(1, digits, key.c_str(), block.data(), block.data()), 0);
      EXPECT_EQ(to_hex(block), plain) << kind << " " << plain;
      if (plain != std::string(16, '0')) continue;
      EXPECT_EQ(HEX_OF(8, generateKeyCheckValue(kind[1] == 'd', digits, key.c_str(), o)),
                vl::test::hex_of(from_hex(row[2]).data(), 8) + " -> 0");
    }
  }
  // Refused calls write nothing.
  const std::string k(48, '1');
  const unsigned char plain[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const std::tuple<int, int, const char *> refused[] = {{2, 16, k.c_str()},  {-1, 32, k.c_str()}, {0, 15, k.c_str()},
                                                        {1, 24, k.c_str()},  {0, -16, k.c_str()}, {0, 64, k.c_str()},
                                                        {0, 16, nullptr}, {0, 32, "0123456789ABCDEF"}};
  for (const auto &row : refused) {
    const int mode = std::get<0>(row), digits = std::get<1>(row);
    const char *key = std::get<2>(row);
    const std::string got = HEX_OF(8, tripleDES_EDE(mode, digits, key, plain, o)) + " " +
                            HEX_OF(8, tripleDES_EEE(mode, digits, key, plain, o)) + " " +
                            HEX_OF(8, generateKeyCheckValue(mode == 0 ? 1 : mode, digits, key, o));
    EXPECT_EQ(got, "A5A5A5A5A5A5A5A5 -> 1 A5A5A5A5A5A5A5A5 -> 1 A5A5A5A5A5A5A5A5 -> 1") << mode << " " << digits;
  }
  EXPECT_EQ(tripleDES_EDE(0, 16, k.c_str(), nullptr, nullptr), 1);
}

TEST(Xor, BytewiseInPlaceAndNothingForShortLengths) {
  unsigned char a[4] = {0x0F, 0xF0, 0xAA, 0x55}, b[4] = {0xFF, 0xFF, 0x0F, 0x55}, out[4] = {1, 2, 3, 4};
  OperacaoXOR(out, a, b, 3);
  for (int32_t length : {0, -1, INT32_MIN}) OperacaoXOR(out, a, b, length);
  OperacaoXOR(b, a, b, 4);  // the destination is a source
  EXPECT_EQ(to_hex(out, 4) + to_hex(b, 4), "f00fa504f00fa500");
}

}  // namespace
