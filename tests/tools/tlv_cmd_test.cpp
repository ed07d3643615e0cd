#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/data_file.h"
#include "tools/cli_cases.h"

namespace {

using vl::test::run_cli;

const std::string kPan = "4761739001010010";
const std::string kTrack2 = kPan + "D2912201123456789F";
const std::string kNameHex = "444F452F4A4F484E";  // DOE/JOHN
// The same card in the number, both tracks, the contactless track 2 and a record
// template, with the name beside it; 00 padding right before the card number.
const std::string kCardData =
    "00" "5A08" + kPan + "5711" + kTrack2 + "9F6B11" + kTrack2 +
    "5625" "42343736313733393030313031303031305E444F452F4A4F484E5E32393132323031313233"
    "5F2008" + kNameHex + "700E" "5A08" + kPan + "9F1F0131" "5F24032912319F350122";

TEST(TlvCommand, CardDataNeverInClearUnlessAsked) {
  const auto masked = run_cli("tlv " + kCardData);
  ASSERT_EQ(masked.status, 0) << masked.output;
  for (const std::string &secret : {kPan, std::string("3437363137333930"), kNameHex,
                                    std::string("DOE/JOHN"), std::string("291231")})
    EXPECT_EQ(masked.output.find(secret), std::string::npos) << secret << "\n" << masked.output;
  EXPECT_NE(masked.output.find("70    14  (READ RECORD Response Message Template)\n"
                               "  5A     8 ****************  (Application Primary Account Number (PAN))\n"
                               "  9F1F   1 **  (Track 1 Discretionary Data)\n"),
            std::string::npos) << masked.output;
  EXPECT_NE(masked.output.find("9F35   1 22  (Terminal Type)\n"), std::string::npos);

  const auto plain = run_cli("tlv --unmasked 5F2008" + kNameHex + "9F7C0101");
  EXPECT_EQ(plain.output, "5F20   8 " + kNameHex + " \"DOE/JOHN\"  (Cardholder Name)\n"
                          "9F7C   1 01  (Customer Exclusive Data (Visa) / Merchant Custom Data (Mastercard))\n");
}

TEST(TlvCommand, SpellsOutBitFieldsAndCodes) {
  std::string expected;
  for (const vl::test::Row &row : vl::test::data_rows("tools/tlv_bit_fields.txt")) expected += row[0] + "\n";
  ASSERT_FALSE(expected.empty());
  vl::test::expect_cli_cases(
      {{"tlv 950580000480FF9B02E800820239019F2701C99F34034203028E0E00000064000000C842031E061F00", 0, expected}});
}

TEST(TlvCommand, RefusesBadTextAndArguments) {
  std::string nested = "5A08" + kPan;
  for (int depth = 0; depth < 12; ++depth) {
    char header[24];
    std::snprintf(header, sizeof header, "70%02zX", nested.size() / 2);
    nested = header + nested;
  }
  // Past 8 levels of templates, the value of the last one read is masked whole.
  const std::string innermost = std::string(16, ' ') + "70    16  (READ RECORD Response Message Template)\n" +
                                std::string(25, ' ') + std::string(32, '*') + "\n";
  const auto deep = run_cli("tlv " + nested);
  EXPECT_EQ(deep.status, 0);
  ASSERT_GE(deep.output.size(), innermost.size());
  EXPECT_EQ(deep.output.substr(deep.output.size() - innermost.size()), innermost) << deep.output;
  vl::test::expect_cli_cases({
      {"tlv 9F2608A1B2", 1, "vertalib tlv: not well-formed BER-TLV, or no object\n"},  // the value is cut
      // A template that does not parse is shown masked.
      {"tlv 7003010203", 0, "70     3  (READ RECORD Response Message Template)\n         ******\n"},
      vl::test::refused("tlv 9F27G180", "non-hex character 'G' at position 5: HEX takes hexadecimal digits only, "
                                        "1 to 65536 digits"),
      vl::test::refused("tlv --masked 9F270180", "unknown option '--masked'")});
}

}  // namespace
