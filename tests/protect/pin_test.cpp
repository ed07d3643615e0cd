#include <gtest/gtest.h>
#include <mbedtls/des.h>

#include <array>
#include <cctype>

#include "protect/master_keys.h"
#include "support/data_file.h"
#include "support/sentinel.h"
#include "vertalib/crypto.h"
#include "vertalib/protect.h"
#include "vertalib_secrets.h"

namespace {

using vl::test::from_hex;
using vl::test::hex_of;

int length_of(const std::string &text) { return static_cast<int>(text.size()); }
std::vector<vl::test::Row> rows(const char *kind) {
  const auto rows = vl::test::data_rows("protect/pin_blocks.txt", kind);
  EXPECT_FALSE(rows.empty()) << kind;
  return rows;
}
// mountPinBlock's 8 bytes and the 2 after them, as hex; what unmountPinBlock leaves in 17 '#'.
std::string mounted(const char *pin, int n, const char *pan, int m) { return HEX_OF(10, mountPinBlock(pin, n, pan, m, o)); }
std::string unmounted(const unsigned char *block, const std::string &pan) {
  return TEXT_OF(17, unmountPinBlock(block, pan.c_str(), length_of(pan), o));
}
std::string opened(const std::string &pin) { return pin + '\0' + std::string(16 - pin.size(), '#'); }

// Settings at load (so this test runs first); a PIN block under the working key, by mbed TLS too.
TEST(PinSettings, StartEmptyHoldWhatIsSetAndWipeAndTheWorkingKeyMatchesAnIndependentTripleDes) {
  EXPECT_EQ(GetPosMasterKey(), 0);
  EXPECT_STREQ(GetWorkingKey(), "");
  EXPECT_EQ(SetPosMasterKey(14), 14);
  EXPECT_EQ(GetPosMasterKey(), 14);
  SetWorkingKey("0123456789ABCDEFFEDCBA9876543210");
  EXPECT_STREQ(GetWorkingKey(), "0123456789ABCDEFFEDCBA9876543210");
  unsigned char clear[8], encrypted[8], expected[8];
  mountPinBlock("4321", 4, "4012888888881881", 16, clear);
  tripleDES_EDE(0, 32, GetWorkingKey(), clear, encrypted);
  mbedtls_des3_context context;
  mbedtls_des3_init(&context);
  mbedtls_des3_set2key_enc(&context, from_hex(GetWorkingKey()).data());
  mbedtls_des3_crypt_ecb(&context, from_hex("0443097777777E77").data(), expected);
  mbedtls_des3_free(&context);
  EXPECT_EQ(hex_of(clear, 8) + " " + hex_of(encrypted, 8), "0443097777777E77 " + hex_of(expected, 8));
  SetWorkingKey("00112233445566778899AABBCCDDEEFF0");  // 33 characters: refused, nothing kept
  EXPECT_STREQ(GetWorkingKey(), "");
  SetWorkingKey("1122334455667788");
  IniciaDadosSenha();
  EXPECT_EQ(GetPosMasterKey(), -1);
  EXPECT_EQ(std::string(GetWorkingKey(), 33), std::string(33, '\0'));
}

TEST(PinBlock, FormatZeroBlocksOpenAgainOrAreRefused) {
  for (const auto &r : rows("block")) {
    EXPECT_EQ(mounted(r[0].c_str(), length_of(r[0]), r[1].c_str(), length_of(r[1])), r[2] + "A5A5") << r[1];
    EXPECT_EQ(unmounted(from_hex(r[2]).data(), r[1]), opened(r[0])) << r[1];
  }
  for (const auto &r : rows("open")) EXPECT_EQ(unmounted(from_hex(r[0]).data(), r[1]), opened(r[2])) << r[0] << " " << r[1];
  for (const auto &r : rows("refuse"))
    EXPECT_EQ(mounted(r[0].c_str(), std::stoi(r[1]), r[2].c_str(), std::stoi(r[3])), "A5A5A5A5A5A5A5A5A5A5") << r[0] << " " << r[2];
  EXPECT_EQ(mounted(nullptr, 4, "411111111111", 12) + mounted("", 0, "401234567890", 12), "A5A5A5A5A5A5A5A5A5A500FFBFEDCBA9876FA5A5");
  EXPECT_EQ(mounted("123456", 4, "401234567890", 12), "04127444CBA9876FA5A5");  // the text up to its NUL
}

TEST(PanBlock, XorOfTheTwoPaddedFieldsUnderEachOfItsNames) {
  for (auto build : {ManipulaPanBlock, MontaPanBlock, DesmontaPanBlock}) {
    for (const auto &r : rows("pan")) {
      int length = -1;
      EXPECT_EQ(HEX_OF(20, (build(r[0].c_str(), std::stoi(r[1]), r[2].c_str(), std::stoi(r[3]), o, &length), length)),
                r[4] + std::string(18, '0') + "A5A5A5 -> " + r[5]) << r[0];
    }
  }
  EXPECT_EQ(HEX_OF(17, ManipulaPanBlock(nullptr, 4, "1", 1, o, nullptr)), "A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5");
}

TEST(KeyPositions, Tables) {
  const auto all = vl::test::data_rows("protect/key_positions.txt", "");
  ASSERT_EQ(all.size(), 39u);
  for (const auto &r : all) {
    const auto n = [&](size_t i) { return static_cast<unsigned short>(std::stoi(r[i])); };
    const unsigned position = r[0] == "master"    ? GetMasterKeyPosition(std::stoi(r[1]), n(2), n(3))
                              : r[0] == "itautec" ? GetItautecMasterKeyPosition(n(1), n(2))
                                                  : PosMasterKeyItau(static_cast<short>(std::stoi(r[1])));
    EXPECT_EQ(position, static_cast<unsigned>(std::stoi(r.back()))) << r[0] << " " << r[1] << " " << r[2];
  }
}

// Every row opens to a key matching its check value. The row taken is the greatest version not
// above the one asked for; no row: 0, no length, no key written.
TEST(MasterKeys, EveryRowDecryptsToItsCheckValueAndTheGreatestVersionNotAboveIsTaken) {
  int length = -1;
  const auto mk = [&](int code, int version, int variant, size_t n = 32) { return TEXT_OF(n, GetMK(code, version, variant, &length, o)); };
  for (const auto &row : vl::pin::kMasterKeyRows) {
    const std::string key = mk(row.code, row.version, row.variant, 50);
    const auto digits = static_cast<size_t>(row.key_digits);
    EXPECT_EQ(key.find_first_not_of("0123456789ABCDEF"), digits) << row.code << "/" << row.version << "/" << row.variant;
    EXPECT_EQ(key.substr(digits) + " " + std::to_string(length), std::string(50 - digits, '#') + " -> 1 " + std::to_string(digits));
  }
  EXPECT_NE(mk(28, 1, 0), mk(28, 2, 0));
  EXPECT_EQ(mk(28, 5, 0), mk(28, 2, 0));
  EXPECT_EQ(mk(146, 7, 1), mk(146, 0, 1));
  EXPECT_NE(mk(146, 0, 1), mk(146, 0, 0));
  length = -7;
  for (const auto &m : {std::array<int, 3>{2, 1, 0}, {141, 1, 1}, {28, 0, 0}, {28, 2, 2}, {-28, 2, 0}, {146, -1, 0}})
    EXPECT_EQ(mk(m[0], m[1], m[2]) + " " + std::to_string(length), std::string(32, '#') + " -> 0 -7") << m[0];
  EXPECT_EQ(TEXT_OF(4, GetMK(28, 2, 0, nullptr, o)), "#### -> 0");
}

// 8 bytes (hex) encrypted with mbed TLS's DES under the build's Itau key, after XORing
// them with xor_hex, or bytes 3 to 8 with the build's mask when there is none.
std::string itau_encrypted(const char *clear_hex, const char *xor_hex = nullptr) {
  auto clear = from_hex(clear_hex);
  const auto other = from_hex(xor_hex != nullptr ? xor_hex : "0000000000000000");
  for (size_t i = 0; i < 8; ++i)
    clear[i] = static_cast<unsigned char>(clear[i] ^ other[i] ^ (xor_hex == nullptr && i >= 2 ? vl::secrets::pin_itau_mask[0] : 0));
  mbedtls_des_context context;
  mbedtls_des_init(&context);
  mbedtls_des_setkey_enc(&context, vl::secrets::pin_itau_key);
  mbedtls_des_crypt_ecb(&context, clear.data(), clear.data());
  mbedtls_des_free(&context);
  return hex_of(clear.data(), 8);
}

TEST(ItauPin, OpensTheLengthAndDigitsOrRefusesWithTheEmptyText) {
  for (const auto &r : rows("itau"))
    EXPECT_EQ(TEXT_OF(15, DescriptoPINItau(itau_encrypted(r[0].c_str()).c_str(), o)), opened(r.size() > 1 ? r[1] : "").substr(0, 15)) << r[0];
  std::string lower = itau_encrypted("041234FFFFFFFFFF");
  for (char &c : lower) c = static_cast<char>(std::tolower(c));
  for (const std::string &text : {lower, std::string("0123456789ABCDE"), std::string("0123456789ABCDEG")})
    EXPECT_EQ(TEXT_OF(15, DescriptoPINItau(text.c_str(), o)), opened("").substr(0, 15)) << text;
}

// Opens within the caller's size: the PIN output (size + 2 bytes, '#' first) and the size after.
TEST(ItauDesPin, OpensWithinTheCallersSize) {
  const std::string e = itau_encrypted("041234FFFFFFFFFF", "0000122233344FFF"), z(1, '\0'), empty = std::string(6, '\0') + "## -> 0";
  const char *pan = "4111222333444555";  // card digits 4 to 12: 122233344; a short card: its digits, then F
  const struct { std::string encrypted; int length; const char *pan; unsigned char size; std::string out; } cases[] = {
      {e + e, 32, pan, 13, "1234" + std::string(9, '\0') + "## -> 4"}, {e, 16, pan, 4, "123" + z + "## -> 3"},
      {e, 16, pan, 1, z + "## -> 0"}, {e, 16, pan, 0, "## -> 0"}, {e + e + "0", 33, pan, 6, "######## -> 6"},
      {itau_encrypted("0C123456789012FF", "000056789FFFFFFF"), 16, "12356789", 16, "123456789012" + std::string(4, '\0') + "## -> 12"},
      {e + "0123", 20, pan, 6, empty}, {e, 32, pan, 6, empty}, {"0123456789ABCDEX", 16, pan, 6, empty}, {e, 16, "411", 6, empty}};
  for (auto c : cases)
    EXPECT_EQ(TEXT_OF(c.size + 2u, (DescriptoPINDESItau(c.encrypted.c_str(), static_cast<unsigned char>(c.length), c.pan,
                                                         static_cast<unsigned char>(std::strlen(c.pan)), o, &c.size), c.size)), c.out) << c.length;
}

TEST(SenffPassword, AddsAFixedDigitPerPosition) {
  auto password = [](const char *text) { return TEXT_OF(8, GeraSenhaSenff(text, o)); };
  std::string sum;  // each digit of 192837 plus its position's offset, modulo 10
  for (size_t i = 0; i < 6; ++i) sum += static_cast<char>('0' + ("192837"[i] - '0' + vl::secrets::pin_senff_offsets[i]) % 10);
  EXPECT_EQ(password("192837"), sum + '\0' + '#');
  EXPECT_EQ(password("19283745"), sum + '\0' + '#');  // only the first six
  EXPECT_EQ(password("37"), password("000037"));      // right-aligned, zeros before
  EXPECT_EQ(password("1A 83X"), password("100830"));  // non-digits count as 0
  EXPECT_EQ(password(""), password("000000"));
}

}  // namespace
