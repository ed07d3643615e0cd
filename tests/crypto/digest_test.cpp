#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "crypto/digest.h"
#include "support/data_file.h"
#include "platform/platform.h"
#include "vertalib/crypto.h"
#include "vertalib_secrets.h"

namespace {

using vl::test::to_hex;

std::string sha1_of_pieces(const std::string &message, size_t piece) {
  sha1_context ctx;
  verta_SHA1_Init(&ctx);
  for (size_t at = 0; at < message.size(); at += piece) {
    const size_t n = std::min(piece, message.size() - at);
    verta_SHA1_Update(&ctx, reinterpret_cast<const unsigned char *>(message.data() + at), static_cast<uint32_t>(n));
  }
  unsigned char digest[20];
  verta_SHA1_Final(&ctx, digest);
  return to_hex(digest, 20);
}

TEST(Sha1, PublishedDigestsWhateverTheUpdateSizes) {
  const struct {
    std::string message;
    const char *digest;
  } cases[] = {
      {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
      {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
      {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
  };
  for (const auto &c : cases)
    for (size_t piece : {size_t{1}, size_t{63}, size_t{64}, size_t{65}, size_t{1000000}}) {
      if (piece == 1 && c.message.size() > 1000) continue;
      EXPECT_EQ(sha1_of_pieces(c.message, piece), c.digest) << c.message.size() << " bytes by " << piece;
    }
}

TEST(Sha1, CountCarriesIntoTheHighWordAndEmptyCallsChangeNothing) {
  sha1_context ctx;
  verta_SHA1_Init(&ctx);
  ctx.total[0] = 0xFFFFFFF0u;
  const unsigned char bytes[20] = {};
  verta_SHA1_Update(&ctx, bytes, 20);
  EXPECT_EQ(ctx.total[0], 4u);
  EXPECT_EQ(ctx.total[1], 1u);
  const sha1_context before = ctx;
  verta_SHA1_Update(&ctx, bytes, 0);
  verta_SHA1_Update(&ctx, nullptr, 5);
  verta_SHA1_Final(&ctx, nullptr);
  EXPECT_EQ(std::memcmp(&ctx, &before, sizeof ctx), 0);
}

TEST(Sha1, TextDigestFoldsToTwentyDigitsWithoutNul) {
  const struct {
    std::string text;
    const char *digits;
  } cases[] = {
      {"abc", "8CE84666856A1DBA62A3"},
      {"", "65D6368E46FBE4D5355C"},
      // Only the length modulo 65536 is hashed.
      {"abc" + std::string(65536, 'x'), "8CE84666856A1DBA62A3"},
  };
  for (const auto &c : cases) {
    char out[24];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(SHA1_StdCall(c.text.c_str(), out), 1);
    EXPECT_EQ(std::string(out, sizeof out), std::string(c.digits) + "####") << c.text.size();
  }
  char out[4] = "##";
  EXPECT_EQ(SHA1_StdCall(nullptr, out), 0);
  EXPECT_STREQ(out, "##");
}

// Bit by bit, straight from the polynomial: the reference for every length and alignment.
uint32_t crc_bit_by_bit(const unsigned char *data, size_t length) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  return ~crc;
}

TEST(Crc32, CheckValueThenEveryLengthAndAlignmentOnBothPaths) {
  EXPECT_EQ(crc32_verta(reinterpret_cast<const unsigned char *>("123456789"), 9), 0xCBF43926u);
  EXPECT_EQ(crc32_verta(nullptr, 9), 0u);
  std::vector<unsigned char> data(600);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 131 + (i >> 3));
  for (bool instructions : {false, true}) {
    if (vl::crc32_use_instructions(instructions) != instructions) continue;
    SCOPED_TRACE(instructions ? "carry-less multiplication" : "lookup tables");
    for (size_t offset : {size_t{0}, size_t{1}, size_t{7}})
      for (size_t length = 0; length + offset <= 590; length += (length < 160 ? 1 : 37))
        ASSERT_EQ(crc32_verta(data.data() + offset, static_cast<uint32_t>(length)),
                  length == 0 ? 0u : crc_bit_by_bit(data.data() + offset, length))
            << "offset " << offset << " length " << length;
  }
  vl::crc32_use_instructions(true);
}

// The generator state is process-wide and other tests may have stepped it, so its
// sequence from load is checked on a fresh copy of the shared library.
TEST(RandomGenerator, SequenceFromLoadAndSeedMixing) {
  void *library = vl::platform::load_library(VL_SHARED_LIBRARY_PATH);
  ASSERT_NE(library, nullptr) << VL_SHARED_LIBRARY_PATH;
  auto next = reinterpret_cast<int (*)()>(vl::platform::library_function(library, "GetRandomNumber"));
  auto seed = reinterpret_cast<uint32_t (*)(uint32_t)>(
      vl::platform::library_function(library, "SetRandomSeed"));
  ASSERT_NE(next, nullptr);
  ASSERT_NE(seed, nullptr);
  EXPECT_EQ(next(), 38);
  EXPECT_EQ(seed(0), 0u);  // mixes nothing in
  EXPECT_EQ(next(), 7719);
  EXPECT_EQ(seed(1), 1812433253u);
  EXPECT_EQ(next(), 16647);
  vl::platform::unload_library(library);

  // The product wraps modulo 2^32.
  EXPECT_EQ(SetRandomSeed(0xFFFFFFFFu), 0x93F8769Bu);
}

TEST(RandomGenerator, BoolFollowsTheSecondsOfTheClock) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    const int before = vl::platform::local_time_now().second;
    const int value = GetRandomBool();
    if (vl::platform::local_time_now().second != before) continue;
    EXPECT_EQ(value, before % 2 == 0 ? 1 : 0) << before;
    return;
  }
  FAIL() << "the clock kept moving";
}

TEST(RandomFiller, DigitGroupsThenRawBytesTheSameWithinASecond) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    char first[32], second[32];
    std::memset(first, '#', sizeof first);
    std::memset(second, '#', sizeof second);
    const int64_t start = vl::platform::epoch_now();
    PreencheRand(first, 25);
    PreencheRand(second, 25);
    if (vl::platform::epoch_now() != start) continue;
    EXPECT_EQ(std::string(first, 32), std::string(second, 32));
    // Numbers up to 32767 in ten digits start with five zeros.
    EXPECT_EQ(std::string(first, 5), "00000");
    EXPECT_EQ(std::string(first + 10, 5), "00000");
    EXPECT_EQ(std::string(first + 25, 7), "#######");
    char untouched[4] = "##";
    PreencheRand(untouched, 0);
    PreencheRand(untouched, -5);
    EXPECT_STREQ(untouched, "##");
    return;
  }
  FAIL() << "the clock kept moving";
}

TEST(KeyDerivation, SeedBytesByTheirOwnValuesMaskedAndFixedWordsRefusalsWriteNothing) {
  const unsigned char mask = vl::secrets::digest_key_mask[0];
  const auto expected = [&](const char *picked) {
    unsigned char key[16];
    for (int i = 0; i < 16; ++i)
      key[i] = static_cast<unsigned char>(picked[i] ^ mask ^ vl::secrets::digest_key_constants[i]);
    return to_hex(key, 16);
  };
  const struct {
    std::string seed;
    const char *picked;  // the seed byte chosen for each output byte
  } cases[] = {
      {"A", "AAAAAAAAAAAAAAAA"},
      // Each digit d picks the digit at (48 + d) mod 10.
      {"0123456789", "8901234567890123"},
      // A byte above 0x7F counts as negative; its index is still taken in 0..L-1.
      {"\xF0" "ab", "babbabbabbabbabb"},
  };
  for (const auto &c : cases) {
    unsigned char key[16];
    ASSERT_EQ(Gera128bitsDeterministico(1, c.seed.data(), static_cast<int32_t>(c.seed.size()), key), 1);
    EXPECT_EQ(to_hex(key, 16), expected(c.picked)) << c.seed;
  }
  unsigned char key[16];
  ASSERT_EQ(Gera128bitsDeterministico(1, nullptr, 5, key), 1);
  EXPECT_EQ(to_hex(key, 16), to_hex(vl::secrets::digest_null_seed_key, 16));

  const struct {
    int32_t mode;
    const char *seed;
    int32_t length;
  } refused[] = {{0, "seed", 4}, {2, "seed", 4}, {-1, nullptr, 0}, {1, "seed", 0}, {1, "seed", -4}, {1, "seed", INT32_MIN}};
  for (const auto &r : refused) {
    std::memset(key, 0xEE, sizeof key);
    EXPECT_EQ(Gera128bitsDeterministico(r.mode, r.seed, r.length, key), 0) << r.mode << " " << r.length;
    EXPECT_EQ(to_hex(key, 16), std::string(32, 'e'));
  }
  EXPECT_EQ(Gera128bitsDeterministico(1, "seed", 4, nullptr), 0);
}

}  // namespace
