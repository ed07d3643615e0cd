#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "crypto/cipher.h"
#include "support/data_file.h"
#include "vertalib/crypto.h"

namespace {

using vl::test::Bytes;
using vl::test::from_hex;
using vl::test::to_hex;

std::vector<vl::test::Row> vectors(const char *kind) { return vl::test::data_rows("crypto/block_ciphers.txt", kind); }

// Runs check with the AES lookup tables, then with the processor's instructions when it has them.
template <typename Check>
void on_every_aes_path(Check check) {
  for (bool instructions : {false, true}) {
    if (vl::aes_use_instructions(instructions) != instructions) continue;
    SCOPED_TRACE(instructions ? "processor instructions" : "lookup tables");
    check();
  }
  vl::aes_use_instructions(true);
}

aes_key_context context_for(const Bytes &key, unsigned int length, int encrypt_only) {
  aes_key_context ctx;
  std::memset(&ctx, 0xAA, sizeof ctx);
  aes_set_key(&ctx, key.data(), length, encrypt_only);
  return ctx;
}

TEST(Aes, PublishedVectorsBothDirectionsWithLengthInBytesOrBits) {
  const auto rows = vectors("aes");
  ASSERT_EQ(rows.size(), 4u);
  on_every_aes_path([&] {
    for (const auto &row : rows) {
      const Bytes key = from_hex(row[0]);
      for (auto length : {static_cast<unsigned int>(key.size()), static_cast<unsigned int>(8 * key.size())}) {
        const aes_key_context ctx = context_for(key, length, 0);
        EXPECT_EQ(ctx.rounds, key.size() / 4 + 6);
        Bytes buffer = from_hex(row[1]);
        aes_ecb_encrypt(&ctx, buffer.data(), static_cast<unsigned int>(buffer.size()));
        EXPECT_EQ(to_hex(buffer), row[2]) << row[0] << " length " << length;
        aes_ecb_decrypt(&ctx, buffer.data(), static_cast<unsigned int>(buffer.size()));
        EXPECT_EQ(to_hex(buffer), row[1]) << row[0] << " length " << length;
      }
    }
  });
}

TEST(Aes, ContextLayoutEncryptOnlyAndOtherLengths) {
  const Bytes key = from_hex("2b7e151628aed2a6abf7158809cf4f3c");
  const aes_key_context both = context_for(key, 128, 0);
  // Key words little-endian (w4 = a0fafe17); the inverse keys reversed, inner ones through
  // inverse MixColumns (w36 = ac7766f3 gives 0c7b5a63).
  EXPECT_EQ(both.enc_keys[4], 0x17FEFAA0u);
  EXPECT_EQ(both.dec_keys[3], both.enc_keys[43]);
  EXPECT_EQ(both.dec_keys[4], 0x635A7B0Cu);
  const aes_key_context encrypt_only = context_for(key, 16, 1);
  EXPECT_EQ(std::memcmp(encrypt_only.enc_keys, both.enc_keys, sizeof both.enc_keys), 0);
  EXPECT_EQ(encrypt_only.dec_keys[0], 0xAAAAAAAAu);
  // Any other length is AES-128 over the first 16 key bytes.
  Bytes longer = key;
  longer.resize(32, 7);
  const aes_key_context twenty = context_for(longer, 20, 0);
  EXPECT_EQ(std::memcmp(&twenty, &both, sizeof both), 0);
}

TEST(Aes, CbcInPlaceWholeBlocksOnlyIvUntouched) {
  const auto row = vectors("aes-cbc").at(0);
  const aes_key_context ctx = context_for(from_hex(row[0]), 16, 0);
  on_every_aes_path([&] {
    const Bytes iv = from_hex(row[1]);
    Bytes buffer = from_hex(row[2] + "0102");
    aes_cbc_encrypt(&ctx, iv.data(), buffer.data(), 34);
    EXPECT_EQ(to_hex(buffer), row[3] + "0102");
    aes_cbc_decrypt(&ctx, iv.data(), buffer.data(), 34);
    EXPECT_EQ(to_hex(buffer), row[2] + "0102");
    EXPECT_EQ(to_hex(iv), row[1]);
    // Short lengths and a context aes_set_key never made leave the bytes alone.
    aes_key_context junk;
    std::memset(&junk, 0xAA, sizeof junk);
    for (const aes_key_context *c : {&ctx, static_cast<const aes_key_context *>(&junk)}) {
      const unsigned int length = c == &ctx ? 15 : 16;
      for (auto run : {aes_ecb_encrypt, aes_ecb_decrypt}) run(c, buffer.data(), length);
      for (auto run : {aes_cbc_encrypt, aes_cbc_decrypt}) run(c, iv.data(), buffer.data(), length);
    }
    EXPECT_EQ(to_hex(buffer), row[2] + "0102");
  });
}

TEST(Des, KnownAnswersBothDirectionsAndCbc) {
  const auto rows = vectors("des");
  ASSERT_EQ(rows.size(), 8u);
  for (const auto &row : rows) {
    const Bytes key = from_hex(row[0]), plain = from_hex(row[1]);
    unsigned char out[8] = {};
    desnbs(0, plain.data(), key.data(), out);
    EXPECT_EQ(to_hex(out, 8), row[2]) << row[0];
    Bytes block = from_hex(row[2]);
    desnbs(7, block.data(), key.data(), block.data());  // any nonzero direction decrypts, in place
    EXPECT_EQ(to_hex(block), row[1]) << row[0];
  }
  const auto row = vectors("des-cbc").at(0);
  const Bytes key = from_hex(row[0]), iv = from_hex(row[1]);
  Bytes buffer = from_hex(row[2]);
  des_cbc_encrypt(key.data(), iv.data(), buffer.data(), 24);
  EXPECT_EQ(to_hex(buffer), row[3]);
  des_cbc_decrypt(key.data(), iv.data(), buffer.data(), 24);
  EXPECT_EQ(to_hex(buffer), row[2]);
  EXPECT_EQ(to_hex(iv), row[1]);
  // 15 bytes: one block; 7, 0 and negative lengths: nothing.
  des_cbc_encrypt(key.data(), iv.data(), buffer.data(), 15);
  for (int32_t length : {7, 0, -8, INT32_MIN}) {
    des_cbc_encrypt(key.data(), iv.data(), buffer.data(), length);
    des_cbc_decrypt(key.data(), iv.data(), buffer.data(), length);
  }
  EXPECT_EQ(to_hex(buffer), row[3].substr(0, 16) + row[2].substr(16));
}

TEST(TripleDes, PublishedValuesKeyCheckValuesAndShortKeyTexts) {
  for (const char *kind : {"ede", "eee"}) {
    const auto run = std::strcmp(kind, "ede") == 0 ? tripleDES_EDE : tripleDES_EEE;
    for (const auto &row : vectors(kind)) {
      const Bytes plain = from_hex(row[1]);
      unsigned char out[8] = {};
      run(0, static_cast<int>(row[0].size()), row[0].c_str(), plain.data(), out);
      EXPECT_EQ(to_hex(out, 8), row[2]) << kind << " " << row[1];
      run(1, static_cast<int>(row[0].size()), row[0].c_str(), out, out);
      EXPECT_EQ(to_hex(out, 8), to_hex(plain)) << kind << " " << row[1];
    }
  }
  const auto kcvs = vectors("kcv");
  ASSERT_EQ(kcvs.size(), 3u);
  for (const auto &row : kcvs) {
    unsigned char out[8];
    EXPECT_EQ(generateKeyCheckValue(std::stoi(row[0]), static_cast<int>(row[1].size()), row[1].c_str(), out), 0);
    EXPECT_EQ(to_hex(out, 8), row[2]) << row[1];
  }
  // A 16-digit EDE key is single DES, 32 digits repeat the first key as the third; the key
  // text is read only as far as its stated length.
  const Bytes plain = from_hex("4e6f772069732074");
  unsigned char single[8], ede16[8], ede32[8], ede48[8];
  desnbs(0, plain.data(), from_hex("0123456789abcdef").data(), single);
  tripleDES_EDE(0, 16, "0123456789abcdef", plain.data(), ede16);
  tripleDES_EDE(0, 32, "0123456789ABCDEFFEDCBA9876543210ZZ", plain.data(), ede32);
  tripleDES_EDE(0, 48, "0123456789ABCDEFFEDCBA98765432100123456789ABCDEF", plain.data(), ede48);
  EXPECT_EQ(to_hex(ede16, 8), to_hex(single, 8));
  EXPECT_EQ(to_hex(ede32, 8), to_hex(ede48, 8));
}

TEST(TripleDes, RefusedCallsWriteNothing) {
  const std::string key48(48, '1');
  const unsigned char plain[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const struct {
    int mode, digits;
    const char *key;
  } refused[] = {{2, 16, key48.c_str()}, {-1, 32, key48.c_str()}, {0, 15, key48.c_str()}, {1, 24, key48.c_str()},
                 {0, -16, key48.c_str()}, {0, 64, key48.c_str()}, {0, 16, nullptr}, {0, 32, "0123456789ABCDEF"}};
  for (const auto &c : refused) {
    unsigned char out[8];
    for (auto run : {tripleDES_EDE, tripleDES_EEE}) {
      std::memset(out, 0xEE, 8);
      EXPECT_NE(run(c.mode, c.digits, c.key, plain, out), 0) << c.mode << " " << c.digits;
      EXPECT_EQ(to_hex(out, 8), "eeeeeeeeeeeeeeee");
    }
    EXPECT_NE(generateKeyCheckValue(c.mode == 0 ? 1 : c.mode, c.digits, c.key, out), 0);
    EXPECT_EQ(to_hex(out, 8), "eeeeeeeeeeeeeeee");
  }
  EXPECT_NE(tripleDES_EDE(0, 16, key48.c_str(), nullptr, nullptr), 0);
}

TEST(Xor, BytewiseInPlaceAndNothingForShortLengths) {
  unsigned char a[4] = {0x0F, 0xF0, 0xAA, 0x55}, b[4] = {0xFF, 0xFF, 0x0F, 0x55}, out[4] = {1, 2, 3, 4};
  OperacaoXOR(out, a, b, 3);
  EXPECT_EQ(to_hex(out, 4), "f00fa504");
  OperacaoXOR(b, a, b, 4);  // the destination is a source
  EXPECT_EQ(to_hex(b, 4), "f00fa500");
  for (int32_t length : {0, -1, INT32_MIN}) OperacaoXOR(out, a, b, length);
  EXPECT_EQ(to_hex(out, 4), "f00fa504");
}

}  // namespace
