#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/cli_run.h"

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
  const auto r = run_cli("tlv 950580000480FF" "9B02E800" "82023901" "9F2701C9" "9F3403420302"
                         "8E0E00000064000000C842031E061F00");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output,
            "95     5 80000480FF  (Terminal Verification Results)\n"
            "         byte 1 bit 8: Offline data authentication was not performed\n"
            "         byte 3 bit 3: Online PIN entered\n"
            "         byte 4 bit 8: Transaction exceeds floor limit\n"
            "         byte 5 bit 8: Default TDOL used\n"
            "         byte 5 bit 7: Issuer authentication failed\n"
            "         byte 5 bit 6: Script processing failed before final GENERATE AC\n"
            "         byte 5 bit 5: Script processing failed after final GENERATE AC\n"
            "         byte 5 bit 4: Relay resistance threshold exceeded\n"
            "         byte 5 bit 3: Relay resistance time limits exceeded\n"
            "         byte 5 bit 2: Relay resistance protocol performed (high bit of two)\n"
            "         byte 5 bit 1: Relay resistance protocol performed (low bit of two)\n"
            "9B     2 E800  (Transaction Status Information)\n"
            "         byte 1 bit 8: Offline data authentication was performed\n"
            "         byte 1 bit 7: Cardholder verification was performed\n"
            "         byte 1 bit 6: Card risk management was performed\n"
            "         byte 1 bit 4: Terminal risk management was performed\n"
            "82     2 3901  (Application Interchange Profile)\n"
            "         byte 1 bit 6: DDA supported\n"
            "         byte 1 bit 5: Cardholder verification is supported\n"
            "         byte 1 bit 4: Terminal risk management is to be performed\n"
            "         byte 1 bit 1: CDA supported\n"
            "         byte 2 bit 1: Relay resistance protocol is supported (contactless)\n"
            "9F27   1 C9  (Cryptogram Information Data)\n"
            "         Reserved\n"
            "         Advice required\n"
            "         Reason: Service not allowed\n"
            "9F34   3 420302  (Cardholder Verification Method (CVM) Results)\n"
            "         CVM: 4203 Enciphered PIN verified online; If terminal supports the CVM;"
            " next rule if unsuccessful\n"
            "         Result: Successful\n"
            "8E    14 00000064000000C842031E061F00  (Cardholder Verification Method (CVM) List)\n"
            "         Amount X: 100\n"
            "         Amount Y: 200\n"
            "         Rule 1: 4203 Enciphered PIN verified online; If terminal supports the CVM;"
            " next rule if unsuccessful\n"
            "         Rule 2: 1E06 Signature (paper); If transaction is in the application currency"
            " and is under X value\n"
            "         Rule 3: 1F00 No CVM required; Always\n");
}

TEST(TlvCommand, RefusesBadTextAndArguments) {
  EXPECT_EQ(run_cli("tlv 9F2608A1B2").status, 1) << "the value is cut";
  const auto wrapped = run_cli("tlv 7003010203");
  EXPECT_EQ(wrapped.output, "70     3  (READ RECORD Response Message Template)\n         ******\n")
      << "a template that does not parse is shown masked";
  std::string nested = "5A08" + kPan;
  for (int depth = 0; depth < 12; ++depth) {
    char header[24];
    std::snprintf(header, sizeof header, "70%02zX", nested.size() / 2);
    nested = header + nested;
  }
  const auto deep = run_cli("tlv " + nested);
  EXPECT_EQ(deep.status, 0);
  EXPECT_EQ(deep.output.find(kPan), std::string::npos) << "templates nested too deep are masked whole";
  const auto not_hex = run_cli("tlv 9F27G180");
  EXPECT_EQ(not_hex.status, 2);
  EXPECT_EQ(not_hex.output,
            "vertalib tlv: non-hex character 'G' at position 5: HEX takes hexadecimal digits only, 1 to 65536 "
            "digits\ntry: vertalib tlv --help\n");
  const auto unknown = run_cli("tlv --masked 9F270180");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.output, "vertalib tlv: unknown option '--masked'\ntry: vertalib tlv --help\n");
}

}  // namespace
