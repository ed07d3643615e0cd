#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <regex>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "crypto/digest.h"
#include "platform/platform.h"
#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/crypto.h"
#include "vertalib_secrets.h"

namespace {

using vl::test::to_hex;

// The rows of one kind of tests/data/crypto/digests.tsv: {message, digest}.
std::vector<std::pair<std::string, std::string>> digests(const char *kind) {
  std::vector<std::pair<std::string, std::string>> cases;
  for (const auto &row : vl::test::data_rows("crypto/digests.tsv", kind)) {
    cases.emplace_back("", row[2]);
    for (int i = std::stoi(row[0]); i > 0; --i) cases.back().first += row[1];
  }
  return cases;
}

TEST(Sha1, PublishedDigestsWhateverTheUpdateSizesTheCountCarriedAndTheFoldedText) {
  ASSERT_EQ(digests("sha1").size() + digests("fold").size(), 7u);
  for (const auto &[message, digest] : digests("sha1"))
    for (size_t piece : {size_t{1}, size_t{63}, size_t{64}, size_t{65}, message.size() + 1}) {
      if (piece == 1 && message.size() > 1000) continue;
      sha1_context ctx;
      verta_SHA1_Init(&ctx);
      for (size_t at = 0; at < message.size(); at += piece)
        verta_SHA1_Update(&ctx, reinterpret_cast<const unsigned char *>(message.data() + at),
                          static_cast<uint32_t>(std::min(piece, message.size() - at)));
      unsigned char out[20];
      verta_SHA1_Final(&ctx, out);
      EXPECT_EQ(to_hex(out, 20), digest) << message.size() << " bytes by " << piece;
    }
  // The count carries into its high word; empty calls change nothing.
  sha1_context ctx;
  verta_SHA1_Init(&ctx);
  ctx.total[0] = 0xFFFFFFF0u;
  const unsigned char bytes[20] = {};
  verta_SHA1_Update(&ctx, bytes, 20), verta_SHA1_Update(&ctx, bytes, 20);
  EXPECT_EQ(ctx.total[1] * 100 + ctx.total[0], 124u);
  const sha1_context before = ctx;
  verta_SHA1_Update(&ctx, bytes, 0), verta_SHA1_Update(&ctx, nullptr, 5), verta_SHA1_Final(&ctx, nullptr);
  EXPECT_EQ(std::memcmp(&ctx, &before, sizeof ctx), 0);
  // Of a text: folded to 20 hexadecimal digits, no NUL.
  for (const auto &fold : digests("fold")) {
    const std::string &text = fold.first;
    EXPECT_EQ(written<24>([&](char *o) { return SHA1_StdCall(text.c_str(), o); }), "1 " + fold.second) << text.size();
  }
  EXPECT_EQ(written<4>([](char *o) { return SHA1_StdCall(nullptr, o); }), "0 ");
}

TEST(Crc32, CheckValueThenEveryLengthAndAlignmentOnBothPaths) {
  const auto [check, value] = digests("crc32").at(0);
  EXPECT_EQ(crc32_verta(reinterpret_cast<const unsigned char *>(check.data()), 9), std::stoul(value, nullptr, 16));
  EXPECT_EQ(crc32_verta(nullptr, 9), 0u);
  // Bit by bit, straight from the reflected polynomial: the reference for every length and alignment.
  const auto reference = [](const unsigned char *p, size_t length) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < 8 * length; ++i) crc = ((crc ^ (p[i / 8] >> (i % 8))) & 1) != 0 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    return length == 0 ? 0u : ~crc;
  };
  std::vector<unsigned char> data(600);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 131 + (i >> 3));
  for (bool instructions : {false, true}) {
    if (vl::crc32_use_instructions(instructions) != instructions) continue;
    SCOPED_TRACE(instructions ? "carry-less multiplication" : "lookup tables");
    for (size_t offset : {size_t{0}, size_t{1}, size_t{7}})
      for (size_t length = 0; length + offset <= 590; length += (length < 160 ? 1 : 37))
        ASSERT_EQ(crc32_verta(data.data() + offset, static_cast<uint32_t>(length)), reference(data.data() + offset, length))
            << "offset " << offset << " length " << length;
  }
  vl::crc32_use_instructions(true);
}

// The state is process-wide and other tests step it: its sequence from load is seen in a fresh copy.
TEST(RandomGenerator, SequenceFromLoadSeedMixingTheBoolOfTheSecondsAndTheFiller) {
  void *library = vl::platform::load_library(VL_SHARED_LIBRARY_PATH);
  ASSERT_NE(library, nullptr) << VL_SHARED_LIBRARY_PATH;
  auto next = reinterpret_cast<int (*)()>(vl::platform::library_function(library, "GetRandomNumber"));
  auto seed = reinterpret_cast<uint32_t (*)(uint32_t)>(vl::platform::library_function(library, "SetRandomSeed"));
  ASSERT_TRUE(next != nullptr && seed != nullptr);
  const std::vector<long long> sequence = {next(), seed(0), next(), seed(1), next()};  // seed(0) mixes nothing in
  EXPECT_EQ(sequence, (std::vector<long long>{38, 0, 7719, 1812433253, 16647}));
  vl::platform::unload_library(library);
  EXPECT_EQ(SetRandomSeed(0xFFFFFFFFu), 0x93F8769Bu);  // the product wraps modulo 2^32

  // The bool and the filler read the clock; a case is taken when the clock did not move across it.
  int checked = 0;
  for (int attempt = 0; attempt < 5 && checked < 2; ++attempt) {
    const int64_t start = vl::platform::epoch_now();
    const int second = vl::platform::local_time_now().second, value = GetRandomBool();
    char first[32], again[32];
    std::memset(first, '#', sizeof first), std::memset(again, '#', sizeof again);
    PreencheRand(first, 25), PreencheRand(again, 25), PreencheRand(again + 25, 0), PreencheRand(again + 25, -5);
    if (vl::platform::epoch_now() != start || vl::platform::local_time_now().second != second) continue;
    ++checked;
    EXPECT_EQ(value, second % 2 == 0 ? 1 : 0) << second;
    // Two numbers up to 32767 in ten digits each, five raw bytes, then nothing.
    EXPECT_EQ(std::string(first, 32), std::string(again, 32));
    EXPECT_TRUE(std::regex_match(std::string(first, 20), std::regex("(00000[0-3][0-9]{4}){2}"))) << first;
    EXPECT_EQ(std::string(first + 25, 7), "#######");
  }
  EXPECT_EQ(checked, 2) << "the clock kept moving";
}

// Each seed byte picks the byte at its own value modulo the length (a byte above 0x7F counts
// as negative, its index still in 0..L-1); masked, then XORed with the fixed words.
TEST(KeyDerivation, SeedBytesByTheirOwnValuesMaskedAndFixedWordsRefusalsWriteNothing) {
  const std::pair<std::string, const char *> cases[] = {
      {"A", "AAAAAAAAAAAAAAAA"}, {"0123456789", "8901234567890123"}, {"\xF0" "ab", "babbabbabbabbabb"}};
  unsigned char expected[16];
  for (const auto &[seed_text, picked] : cases) {
    const std::string &seed = seed_text;
    for (int i = 0; i < 16; ++i)
      expected[i] = static_cast<unsigned char>(picked[i] ^ vl::secrets::digest_key_mask[0] ^ vl::secrets::digest_key_constants[i]);
    EXPECT_EQ(HEX_OF(16, Gera128bitsDeterministico(1, seed.data(), static_cast<int32_t>(seed.size()), o)),
              vl::test::hex_of(expected, 16) + " -> 1") << seed;
  }
  EXPECT_EQ(HEX_OF(16, Gera128bitsDeterministico(1, nullptr, 5, o)), vl::test::hex_of(vl::secrets::digest_null_seed_key, 16) + " -> 1");
  const std::tuple<int32_t, const char *, int32_t> refused[] = {{0, "seed", 4}, {2, "seed", 4}, {-1, nullptr, 0},
                                                                {1, "seed", 0}, {1, "seed", -4}, {1, "seed", INT32_MIN}};
  for (const auto &row : refused) {
    const int32_t mode = std::get<0>(row), length = std::get<2>(row);
    const char *seed = std::get<1>(row);
    EXPECT_EQ(HEX_OF(16, Gera128bitsDeterministico(mode, seed, length, o)), "A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5 -> 0")
        << mode << " " << length;
  }
  EXPECT_EQ(Gera128bitsDeterministico(1, "seed", 4, nullptr), 0);
}

}  // namespace
