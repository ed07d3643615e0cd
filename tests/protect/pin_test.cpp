#include <gtest/gtest.h>
#include <mbedtls/des.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/sentinel.h"
#include "support/data_file.h"
#include "protect/master_keys.h"
#include "vertalib/crypto.h"
#include "vertalib/protect.h"
#include "vertalib_secrets.h"

namespace {

using vl::test::after;
using vl::test::from_hex;
using vl::test::hex_of;

// The 8 block bytes mountPinBlock writes, as hex, with the two bytes after them.
std::string mounted(const char *pin, int pin_length, const char *pan, int pan_length) {
  return after<unsigned char>(10, [&](unsigned char *out) { mountPinBlock(pin, pin_length, pan, pan_length, out); });
}
std::string mounted(const char *pin, const char *pan) {
  return mounted(pin, static_cast<int>(std::strlen(pin)), pan, static_cast<int>(std::strlen(pan)));
}

// What unmountPinBlock leaves in 17 bytes of a '#' buffer.
std::string unmounted(const unsigned char *block, const char *pan) {
  return after<char>(17, [&](char *out) { unmountPinBlock(block, pan, static_cast<int>(std::strlen(pan)), out); });
}

// The process-wide settings at load: only meaningful before any test of this file sets them.
TEST(PinSettings, StartEmptyThenHoldWhatIsSet) {
  EXPECT_EQ(GetPosMasterKey(), 0);
  EXPECT_STREQ(GetWorkingKey(), "");
  EXPECT_EQ(SetPosMasterKey(14), 14);
  EXPECT_EQ(GetPosMasterKey(), 14);
  SetWorkingKey("0123456789ABCDEFFEDCBA9876543210");
  EXPECT_STREQ(GetWorkingKey(), "0123456789ABCDEFFEDCBA9876543210");
  SetWorkingKey("00112233445566778899AABBCCDDEEFF0");  // 33 characters: refused, nothing kept
  EXPECT_STREQ(GetWorkingKey(), "");
  SetWorkingKey("1122334455667788");
  SetWorkingKey(nullptr);
  EXPECT_STREQ(GetWorkingKey(), "1122334455667788");
  IniciaDadosSenha();
  EXPECT_EQ(GetPosMasterKey(), -1);
  EXPECT_EQ(std::string(GetWorkingKey(), 33), std::string(33, '\0'));
}

TEST(PinBlock, FormatZeroBlocks) {
  struct Row { const char *pin, *pan, *block; };
  const Row rows[] = {
      {"1234", "4012345678909", "041274EDCBA9876F"},        // 13 digits: digits 1 to 12
      {"1234", "4111111111111111", "041225EEEEEEEEEE"},     // 16 digits: the 12 before the check digit
      {"123456789012", "5432101234567890", "0C1215575BD57576"},  // 12 digits: length digit c
      {"98765", "6012345678901234567", "059820276FEDCBA9"}, // 19 digits: digits 7 to 18
      {"", "401234567890", "00FFBFEDCBA9876F"},             // 12 digits, from the first
      {"4321", "4012888888881881", "0443097777777E77"},
  };
  for (const auto &row : rows) EXPECT_EQ(mounted(row.pin, row.pan), std::string(row.block) + "A5A5") << row.pin;
  // The PIN text is read up to its NUL whatever the length says.
  EXPECT_EQ(mounted("123456", 4, "401234567890", 12), "04127444CBA9876FA5A5");
}

TEST(PinBlock, OpensWhatItBuildsForEveryPinLength) {
  const char *pans[] = {"401234567890", "4012345678909", "4111111111111111", "6012345678901234567"};
  const std::string digits = "907856341212";
  for (const char *pan : pans) {
    for (size_t n = 0; n <= 12; ++n) {
      const std::string pin = digits.substr(0, n);
      unsigned char block[8];
      mountPinBlock(pin.c_str(), static_cast<int>(n), pan, static_cast<int>(std::strlen(pan)), block);
      EXPECT_EQ(unmounted(block, pan), pin + '\0' + std::string(16 - n, '#')) << pan << " " << n;
    }
  }
}

TEST(PinBlock, OpeningReportsErroAndReadsUpTo14Digits) {
  const std::string erro = std::string("ERRO") + '\0' + std::string(12, '#');
  struct Row { const char *block, *pan; std::string pin; };
  const Row rows[] = {
      {"041225EEEEEEEEEE", "4111111111111111", "1234" + std::string(1, '\0') + std::string(12, '#')},
      // Another card number gives other digits: its field never reaches the control digit.
      {"041225EEEEEEEEEE", "4111221111111111", "1237" + std::string(1, '\0') + std::string(12, '#')},
      {"141225EEEEEEEEEE", "4111111111111111", erro},  // control digit 1
      // Length digits E and F over the card field 0000111111111111: 14 fit, 15 do not.
      {"0E122547698BADCF", "4111111111111111", "123456789ABCDE" + std::string(1, '\0') + "##"},
      {"0F122547698BADCF", "4111111111111111", erro},
      {"041225EEEEEEEEEE", "41111111111", erro},  // no 12 card digits
  };
  for (const auto &row : rows) EXPECT_EQ(unmounted(from_hex(row.block).data(), row.pan), row.pin) << row.block;
}

TEST(PinBlock, RefusalsLeaveTheBlockUntouched) {
  // Over 12 digits by length or text, a length past the text, a card under 12 digits.
  const struct { const char *pin; int pin_length; const char *pan; int pan_length; } refused[] = {
      {"1234567890123", 13, "4111111111111111", 16}, {"1234", -1, "4111111111111111", 16},
      {"1234567890123", 4, "4111111111111111", 16}, {"1234", 4, "41111111111", 11},
      {"1234", 4, "411111111111", 16}, {"1234", 4, "411111111111", -16}, {nullptr, 4, "411111111111", 12}};
  for (const auto &r : refused)
    EXPECT_EQ(mounted(r.pin, r.pin_length, r.pan, r.pan_length), "A5A5A5A5A5A5A5A5A5A5") << r.pin_length << " " << r.pan;
}

TEST(PanBlock, XorOfTheTwoPaddedFieldsUnderEachOfItsNames) {
  struct Row { const char *a; int length_a; const char *b; int length_b; const char *out; int length; };
  const Row rows[] = {
      // A padded with F on the right, B with 0 on the left; a zero byte ends the length.
      {"041234", 6, "401234567890", 12, "041274EDCBA9876F", 8},  // the format-0 block
      {"FF0012", 6, "FF0000", 6, "FF0012FFFF00FFFF", 1},
      {"123456789A00", 12, "0", 1, "123456789A00FFFF", 5},
      {"ABCDEF", 6, "ab", 2, "ABCDEFFFFFFFFF54", 8},   // either case reads as hex
      {"0412", 100, "9", 100, "0412FFFFFFFFFFF6", 8},  // only up to the NUL
      {"0412", -3, "9", -1, "FFFFFFFFFFFFFFFF", 8},    // negative counts as 0
      {"0123456789ABCDEF01", 18, "11223344556677889900", 20, "10017623DCCDBA67", 8},  // first 16
  };
  for (auto build : {ManipulaPanBlock, MontaPanBlock, DesmontaPanBlock}) {
    for (const auto &row : rows) {
      EXPECT_EQ(after<unsigned char>(20, [&](unsigned char *out) {
                  int length = -1;
                  build(row.a, row.length_a, row.b, row.length_b, out, &length);
                  return length;
                }),
                row.out + std::string(18, '0') + "A5A5A5 -> " + std::to_string(row.length))
          << row.a;
    }
  }
  // Null pointers: nothing written.
  EXPECT_EQ(after<unsigned char>(17, [](unsigned char *out) { ManipulaPanBlock(nullptr, 4, "1", 1, out, nullptr); }),
            "A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5");
}

TEST(KeyPositions, Tables) {
  size_t count = 0;
  for (const std::string kind : {"master", "itautec", "itau"}) {
    for (const auto &row : vl::test::data_rows("protect/key_positions.txt", kind)) {
      std::vector<int> n;
      for (const auto &field : row) n.push_back(std::stoi(field));
      const auto u16 = [](int value) { return static_cast<unsigned short>(value); };
      const unsigned int position = kind == "master"    ? GetMasterKeyPosition(n[0], u16(n[1]), u16(n[2]))
                                    : kind == "itautec" ? GetItautecMasterKeyPosition(u16(n[0]), u16(n[1]))
                                                        : PosMasterKeyItau(static_cast<short>(n[0]));
      EXPECT_EQ(position, static_cast<unsigned int>(n.back())) << kind << " " << row[0] << " " << row[1];
      ++count;
    }
  }
  EXPECT_EQ(count, 39u);
}

TEST(MasterKeys, EveryRowDecryptsToAKeyWithItsCheckValue) {
  for (const auto &row : vl::pin::kMasterKeyRows) {
    char key[50];
    std::memset(key, '#', sizeof key);
    int length = -1;
    EXPECT_EQ(GetMK(row.code, row.version, row.variant, &length, key), 1)
        << row.code << "/" << row.version << "/" << row.variant;
    EXPECT_EQ(length, row.key_digits);
    const std::string text(key, 50);
    EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF"), static_cast<size_t>(row.key_digits));
    EXPECT_EQ(text.substr(row.key_digits), std::string(50 - row.key_digits, '#'));
  }
}

TEST(MasterKeys, SelectionTakesTheGreatestVersionNotAbove) {
  char key[48], v1[48], v2[48];
  int length = 0;
  ASSERT_EQ(GetMK(28, 1, 0, &length, v1), 1);
  ASSERT_EQ(GetMK(28, 2, 0, &length, v2), 1);
  EXPECT_NE(std::string(v1, 32), std::string(v2, 32));
  ASSERT_EQ(GetMK(28, 5, 0, &length, key), 1);
  EXPECT_EQ(std::string(key, 32), std::string(v2, 32));
  ASSERT_EQ(GetMK(146, 7, 1, &length, key), 1);  // version 0 rows serve every version
  ASSERT_EQ(GetMK(146, 0, 0, &length, v1), 1);
  EXPECT_NE(std::string(key, 32), std::string(v1, 32));

  // No row: 0, and neither the length nor the key is written.
  struct Miss { int code, version, variant; };
  const Miss misses[] = {{2, 1, 0}, {141, 1, 1}, {28, 0, 0}, {28, 2, 2}, {-28, 2, 0}, {146, -1, 0}};
  for (const auto &miss : misses) {
    int kept = -7;
    EXPECT_EQ(after<char>(4, [&](char *out) { return GetMK(miss.code, miss.version, miss.variant, &kept, out); }),
              "#### -> 0") << miss.code << "/" << miss.version << "/" << miss.variant;
    EXPECT_EQ(kept, -7);
  }
  EXPECT_EQ(GetMK(28, 2, 0, nullptr, key), 0);
}

// 8 bytes (as hex) encrypted here with mbed TLS's DES under the build's Itau key, after
// XORing the first with the second, or bytes 3 to 8 with the build's mask when mask is set.
std::string itau_encrypted(const char *clear_hex, const char *xor_hex = nullptr) {
  auto clear = from_hex(clear_hex);
  const auto other = xor_hex != nullptr ? from_hex(xor_hex) : vl::test::Bytes(8, 0);
  for (size_t i = 0; i < 8; ++i) {
    const unsigned char mask = xor_hex == nullptr && i >= 2 ? vl::secrets::pin_itau_mask[0] : 0;
    clear[i] = static_cast<unsigned char>(clear[i] ^ other[i] ^ mask);
  }
  mbedtls_des_context context;
  mbedtls_des_init(&context);
  mbedtls_des_setkey_enc(&context, vl::secrets::pin_itau_key);
  unsigned char out[8];
  mbedtls_des_crypt_ecb(&context, clear.data(), out);
  mbedtls_des_free(&context);
  return hex_of(out, 8);
}

TEST(ItauPin, OpensTheLengthAndDigits) {
  struct Row { const char *clear, *pin; };
  const Row rows[] = {
      {"F41234FFFFFFFFFF", "1234"},          // the high nibble of the length byte is ignored
      {"0C12345678901299", "123456789012"},
      {"0F1234567890ABCD", "1234567890AB"},  // a length over 12 reads 12
      {"0598765FFFFFFFFF", "98765"},
      {"00FFFFFFFFFFFFFF", ""},
  };
  for (const auto &row : rows) {
    const std::string encrypted = itau_encrypted(row.clear);
    EXPECT_EQ(after<char>(15, [&](char *out) { DescriptoPINItau(encrypted.c_str(), out); }),
              std::string(row.pin) + '\0' + std::string(14 - std::strlen(row.pin), '#'))
        << row.clear;
  }
  // Not 16 upper-case hex digits: the empty text.
  std::string lower = itau_encrypted("041234FFFFFFFFFF");
  for (char &c : lower) c = static_cast<char>(std::tolower(c));
  const std::string refused = std::string(1, '\0') + std::string(14, '#');
  for (const std::string &text : {lower, std::string("0123456789ABCDE"), std::string("0123456789ABCDEG")})
    EXPECT_EQ(after<char>(15, [&](char *out) { DescriptoPINItau(text.c_str(), out); }), refused) << text;
}

// The PIN output (size + 2 bytes, '#' first) and the size after the call.
std::string itau_des_opened(const std::string &encrypted, unsigned char encrypted_length, const char *pan,
                            unsigned char size) {
  return after<char>(size + 2u, [&](char *out) {
           unsigned char pin_size = size;
           DescriptoPINDESItau(encrypted.c_str(), encrypted_length, pan, static_cast<unsigned char>(std::strlen(pan)),
                               out, &pin_size);
           return static_cast<int>(pin_size);
         });
}

TEST(ItauDesPin, OpensWithinTheCallersSize) {
  const char *pan = "4111222333444555";  // card digits 4 to 12: 122233344
  const std::string encrypted = itau_encrypted("041234FFFFFFFFFF", "0000122233344FFF");
  const std::string z(1, '\0');
  EXPECT_EQ(itau_des_opened(encrypted + encrypted, 32, pan, 13), "1234" + std::string(9, '\0') + "## -> 4");
  EXPECT_EQ(itau_des_opened(encrypted, 16, pan, 4), "123" + z + "## -> 3");  // at most size - 1 digits
  EXPECT_EQ(itau_des_opened(encrypted, 16, pan, 1), z + "## -> 0");
  // A short card number: its digits from the fourth, "F" after them.
  const std::string short_card = itau_encrypted("0C123456789012FF", "000056789FFFFFFF");
  EXPECT_EQ(itau_des_opened(short_card, 16, "12356789", 16), "123456789012" + std::string(4, '\0') + "## -> 12");
  // Nothing happens for size 0 or an encrypted text over 32.
  EXPECT_EQ(itau_des_opened(encrypted, 16, pan, 0), "## -> 0");
  EXPECT_EQ(itau_des_opened(encrypted + encrypted + "0", 33, pan, 6), "######## -> 6");
  // Refused with an empty PIN: lengths outside the format, non-hex digits, short texts.
  const std::string empty = std::string(6, '\0') + "## -> 0";
  EXPECT_EQ(itau_des_opened(encrypted + "0123", 20, pan, 6), empty);
  EXPECT_EQ(itau_des_opened(encrypted, 32, pan, 6), empty);  // the text ends at 16
  EXPECT_EQ(itau_des_opened("0123456789ABCDEX", 16, pan, 6), empty);
  EXPECT_EQ(itau_des_opened(encrypted, 16, "411", 6), empty);
}

TEST(SenffPassword, AddsAFixedDigitPerPosition) {
  // Six digits, a NUL, the byte after untouched.
  auto password = [](const char *text) { return after<char>(8, [&](char *out) { GeraSenhaSenff(text, out); }); };
  const std::string offsets = password("000000"), nines = password("999999"), mixed = password("192837");
  EXPECT_EQ(offsets.substr(6), std::string(1, '\0') + "#");
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(offsets[i] - '0', vl::secrets::pin_senff_offsets[i]);
    EXPECT_EQ(nines[i], '0' + (offsets[i] - '0' + 9) % 10);  // modulo 10
    EXPECT_EQ(mixed[i], '0' + (offsets[i] - '0' + "192837"[i] - '0') % 10);
  }
  EXPECT_EQ(password("37"), password("000037"));      // right-aligned, zeros before
  EXPECT_EQ(password("19283745"), mixed);             // only the first six
  EXPECT_EQ(password("1A 83X"), password("100830"));  // non-digits count as 0
  EXPECT_EQ(password(""), offsets);
}

}  // namespace
