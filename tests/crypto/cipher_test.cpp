#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "crypto/cipher.h"
#include "crypto/hex_bytes.h"
#include "vertalib/crypto.h"

namespace {

using vl::test::Bytes;
using vl::test::from_hex;
using vl::test::to_hex;

// The rows of the published-vector file whose first word is kind.
std::vector<std::vector<std::string>> vectors(const std::string &kind) {
  std::ifstream file(std::string(VL_SOURCE_DIR) + "/tests/data/crypto/block_ciphers.txt");
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream words(line);
    std::string first;
    if (!(words >> first) || first != kind) continue;
    std::vector<std::string> row;
    for (std::string word; words >> word;) row.push_back(word);
    rows.push_back(row);
  }
  return rows;
}

// Runs check once with the AES lookup tables and once with the processor's instructions
// when it has them, then goes back to the automatic choice.
template <typename Check>
void on_every_aes_path(Check check) {
  vl::aes_use_instructions(false);
  {
    SCOPED_TRACE("lookup tables");
    check();
  }
  if (vl::aes_use_instructions(true)) {
    SCOPED_TRACE("processor instructions");
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
      for (unsigned int length : {static_cast<unsigned int>(key.size()), static_cast<unsigned int>(8 * key.size())}) {
        const aes_key_context ctx = context_for(key, length, 0);
        EXPECT_EQ(ctx.key_words, key.size() / 4);
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

TEST(Aes, ContextHoldsTheKeyWordsLittleEndianAndTheInverseCipherKeys) {
  const Bytes key = from_hex("2b7e151628aed2a6abf7158809cf4f3c");
  const aes_key_context both = context_for(key, 128, 0);
  // The expanded key of the worked example: w0 = 2b7e1516, w4 = a0fafe17, w43 = b6630ca6.
  EXPECT_EQ(both.enc_keys[0], 0x16157E2Bu);
  EXPECT_EQ(both.enc_keys[4], 0x17FEFAA0u);
  EXPECT_EQ(both.enc_keys[43], 0xA60C63B6u);
  EXPECT_EQ(both.enc_keys[44], 0u);
  // Reversed, with the first and last round keys as they are.
  EXPECT_EQ(both.dec_keys[0], both.enc_keys[40]);
  EXPECT_EQ(both.dec_keys[3], both.enc_keys[43]);
  EXPECT_EQ(both.dec_keys[40], both.enc_keys[0]);
  EXPECT_EQ(both.dec_keys[43], both.enc_keys[3]);
  // Inverse MixColumns of w36 = ac7766f3 is 0c7b5a63.
  EXPECT_EQ(both.enc_keys[36], 0xF36677ACu);
  EXPECT_EQ(both.dec_keys[4], 0x635A7B0Cu);

  const aes_key_context encrypt_only = context_for(key, 16, 1);
  EXPECT_EQ(std::memcmp(encrypt_only.enc_keys, both.enc_keys, sizeof both.enc_keys), 0);
  EXPECT_EQ(encrypt_only.dec_keys[0], 0xAAAAAAAAu);

  // Any other length is AES-128 over the first 16 key bytes.
  Bytes longer = key;
  longer.insert(longer.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
  const aes_key_context twenty = context_for(longer, 20, 0);
  EXPECT_EQ(std::memcmp(&twenty, &both, sizeof both), 0);
}

TEST(Aes, WholeBlocksOnlyInEcbAndCbc) {
  const Bytes key = from_hex("2b7e151628aed2a6abf7158809cf4f3c");
  const aes_key_context ctx = context_for(key, 16, 0);
  on_every_aes_path([&] {
    // 20 bytes: the first block is encrypted, the last four stay.
    Bytes buffer = from_hex("3243f6a8885a308d313198a2e0370734a1a2a3a4");
    aes_ecb_encrypt(&ctx, buffer.data(), 20);
    EXPECT_EQ(to_hex(buffer), "3925841d02dc09fbdc118597196a0b32a1a2a3a4");
    aes_ecb_decrypt(&ctx, buffer.data(), 20);
    EXPECT_EQ(to_hex(buffer), "3243f6a8885a308d313198a2e0370734a1a2a3a4");

    const Bytes iv(16, 0x5C);
    for (auto run : {aes_ecb_encrypt, aes_ecb_decrypt}) {
      run(&ctx, buffer.data(), 15);
      run(&ctx, buffer.data(), 0);
    }
    for (auto run : {aes_cbc_encrypt, aes_cbc_decrypt}) run(&ctx, iv.data(), buffer.data(), 15);
    EXPECT_EQ(to_hex(buffer), "3243f6a8885a308d313198a2e0370734a1a2a3a4");

    // A context aes_set_key never made is not used at all.
    aes_key_context junk;
    std::memset(&junk, 0xAA, sizeof junk);
    for (auto run : {aes_ecb_encrypt, aes_ecb_decrypt}) run(&junk, buffer.data(), 16);
    for (auto run : {aes_cbc_encrypt, aes_cbc_decrypt}) run(&junk, iv.data(), buffer.data(), 16);
    EXPECT_EQ(to_hex(buffer), "3243f6a8885a308d313198a2e0370734a1a2a3a4");
  });
}

TEST(Aes, CbcInPlaceLeavesTheIvAndTrailingBytes) {
  const auto row = vectors("aes-cbc").at(0);
  const aes_key_context ctx = context_for(from_hex(row[0]), 16, 0);
  on_every_aes_path([&] {
    const Bytes iv = from_hex(row[1]);
    Bytes buffer = from_hex(row[2] + "0102");
    aes_cbc_encrypt(&ctx, iv.data(), buffer.data(), 34);
    EXPECT_EQ(to_hex(buffer), row[3] + "0102");
    EXPECT_EQ(to_hex(iv), row[1]);
    aes_cbc_decrypt(&ctx, iv.data(), buffer.data(), 34);
    EXPECT_EQ(to_hex(buffer), row[2] + "0102");
    EXPECT_EQ(to_hex(iv), row[1]);

    // With a zero IV one block of CBC is one block of ECB.
    const Bytes zero(16, 0);
    Bytes cbc = from_hex(row[2].substr(0, 32)), ecb = cbc;
    aes_cbc_encrypt(&ctx, zero.data(), cbc.data(), 16);
    aes_ecb_encrypt(&ctx, ecb.data(), 16);
    EXPECT_EQ(cbc, ecb);
  });
}

TEST(Des, KnownAnswersBothDirectionsAndInPlace) {
  const auto rows = vectors("des");
  ASSERT_EQ(rows.size(), 8u);
  for (const auto &row : rows) {
    const Bytes key = from_hex(row[0]), plain = from_hex(row[1]);
    unsigned char out[8] = {};
    desnbs(0, plain.data(), key.data(), out);
    EXPECT_EQ(to_hex(out, 8), row[2]) << row[0];
    Bytes block = from_hex(row[2]);
    desnbs(7, block.data(), key.data(), block.data());  // any nonzero direction decrypts
    EXPECT_EQ(to_hex(block), row[1]) << row[0];
  }
}

TEST(Des, CbcWholeBlocksInPlaceIvUntouched) {
  const auto row = vectors("des-cbc").at(0);
  const Bytes key = from_hex(row[0]), iv = from_hex(row[1]);
  Bytes buffer = from_hex(row[2]);
  des_cbc_encrypt(key.data(), iv.data(), buffer.data(), 24);
  EXPECT_EQ(to_hex(buffer), row[3]);
  EXPECT_EQ(to_hex(iv), row[1]);
  des_cbc_decrypt(key.data(), iv.data(), buffer.data(), 24);
  EXPECT_EQ(to_hex(buffer), row[2]);

  // 15 bytes: one block; 7, 0 and negative lengths: nothing.
  des_cbc_encrypt(key.data(), iv.data(), buffer.data(), 15);
  EXPECT_EQ(to_hex(buffer), row[3].substr(0, 16) + row[2].substr(16));
  for (int32_t length : {7, 0, -1, -8, INT32_MIN}) {
    des_cbc_encrypt(key.data(), iv.data(), buffer.data(), length);
    des_cbc_decrypt(key.data(), iv.data(), buffer.data(), length);
  }
  EXPECT_EQ(to_hex(buffer), row[3].substr(0, 16) + row[2].substr(16));
}

TEST(TripleDes, PublishedValuesBothArrangementsBothDirections) {
  for (const char *kind : {"ede", "eee"}) {
    const auto run = std::strcmp(kind, "ede") == 0 ? tripleDES_EDE : tripleDES_EEE;
    const auto rows = vectors(kind);
    ASSERT_GE(rows.size(), 2u);
    for (const auto &row : rows) {
      const int digits = static_cast<int>(row[0].size());
      const Bytes plain = from_hex(row[1]);
      unsigned char out[8] = {};
      run(0, digits, row[0].c_str(), plain.data(), out);
      EXPECT_EQ(to_hex(out, 8), row[2]) << kind << " " << row[1];
      run(1, digits, row[0].c_str(), out, out);
      EXPECT_EQ(to_hex(out, 8), to_hex(plain)) << kind << " " << row[1];
    }
  }
}

TEST(TripleDes, ShortKeyTextsRepeatTheirKeys) {
  const char *k1 = "0123456789abcdef", *k2 = "FEDCBA9876543210";
  const Bytes plain = from_hex("4e6f772069732074"), k1bytes = from_hex(k1);
  for (int mode : {0, 1}) {
    unsigned char single[8], ede16[8], eee16[8], ede32[8], ede48[8];
    desnbs(mode, plain.data(), k1bytes.data(), single);
    tripleDES_EDE(mode, 16, k1, plain.data(), ede16);
    tripleDES_EEE(mode, 16, k1, plain.data(), eee16);
    const std::string two = std::string(k1) + k2, three = two + k1;
    tripleDES_EDE(mode, 32, two.c_str(), plain.data(), ede32);
    tripleDES_EDE(mode, 48, three.c_str(), plain.data(), ede48);
    EXPECT_EQ(to_hex(ede16, 8), to_hex(single, 8)) << mode;
    EXPECT_EQ(to_hex(ede32, 8), to_hex(ede48, 8)) << mode;
    // Three encryptions under one key are not one encryption.
    EXPECT_NE(to_hex(eee16, 8), to_hex(single, 8)) << mode;
  }
  // The key text is read only as far as its stated length.
  unsigned char a[8], b[8];
  tripleDES_EDE(0, 32, "0123456789ABCDEFFEDCBA9876543210", plain.data(), a);
  tripleDES_EDE(0, 32, "0123456789ABCDEFFEDCBA9876543210ZZZZ", plain.data(), b);
  EXPECT_EQ(to_hex(a, 8), to_hex(b, 8));
}

TEST(TripleDes, RefusedCallsWriteNothing) {
  const std::string key48(48, '1');
  const unsigned char plain[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const struct {
    int mode, digits;
    const char *key;
  } refused[] = {{2, 16, key48.c_str()}, {-1, 32, key48.c_str()}, {0, 15, key48.c_str()}, {1, 24, key48.c_str()},
                 {0, 0, key48.c_str()},  {0, -16, key48.c_str()}, {0, 64, key48.c_str()}, {0, 16, nullptr},
                 {0, 32, "0123456789ABCDEF"},  {1, 48, "0123456789ABCDEFFEDCBA9876543210"}};
  for (const auto &c : refused) {
    for (auto run : {tripleDES_EDE, tripleDES_EEE}) {
      unsigned char out[8];
      std::memset(out, 0xEE, 8);
      EXPECT_NE(run(c.mode, c.digits, c.key, plain, out), 0) << c.mode << " " << c.digits;
      EXPECT_EQ(to_hex(out, 8), "eeeeeeeeeeeeeeee");
    }
    unsigned char kcv[8];
    std::memset(kcv, 0xEE, 8);
    EXPECT_NE(generateKeyCheckValue(c.mode == 0 ? 1 : c.mode, c.digits, c.key, kcv), 0);
    EXPECT_EQ(to_hex(kcv, 8), "eeeeeeeeeeeeeeee");
  }
  EXPECT_NE(tripleDES_EDE(0, 16, key48.c_str(), plain, nullptr), 0);
  EXPECT_NE(tripleDES_EDE(0, 16, key48.c_str(), nullptr, nullptr), 0);
}

TEST(TripleDes, KeyCheckValues) {
  unsigned char out[8];
  EXPECT_EQ(generateKeyCheckValue(1, 32, "0123456789ABCDEFFEDCBA9876543210", out), 0);
  EXPECT_EQ(to_hex(out, 8), "08d7b4fb629d0885");
  EXPECT_EQ(generateKeyCheckValue(0, 32, "0123456789ABCDEFFEDCBA9876543210", out), 0);
  EXPECT_EQ(to_hex(out, 8), "240ed6421d8af161");
  // A single-length key's check value is single DES of the zero block.
  EXPECT_EQ(generateKeyCheckValue(1, 16, "0101010101010101", out), 0);
  EXPECT_EQ(to_hex(out, 8), "8ca64de9c1b123a7");
}

TEST(Xor, BytewiseInPlaceAndNothingForShortLengths) {
  unsigned char a[4] = {0x0F, 0xF0, 0xAA, 0x55}, b[4] = {0xFF, 0xFF, 0x0F, 0x55}, out[4] = {1, 2, 3, 4};
  OperacaoXOR(out, a, b, 3);
  EXPECT_EQ(to_hex(out, 4), "f00fa504");
  OperacaoXOR(a, a, b, 4);
  EXPECT_EQ(to_hex(a, 4), "f00fa500");
  OperacaoXOR(b, a, b, 4);  // destination is the second source
  EXPECT_EQ(to_hex(b, 4), "0ff0aa55");
  for (int32_t length : {0, -1, INT32_MIN}) OperacaoXOR(out, a, b, length);
  EXPECT_EQ(to_hex(out, 4), "f00fa504");
}

}  // namespace
