#include <gtest/gtest.h>

#include <string>

#include "tools/cli_run.h"

namespace {

using vl::test::run_cli;

// 00 padding sits right before the card number: masking must still reach it.
const std::string kBit55 = "9F2608A1B2C3D4E5F60718" "9C0100" "00" "5A084761739001010010" "5F24032912319F3501";

TEST(TlvCommand, OneLinePerObjectWithCardDataMasked) {
  const auto masked = run_cli("tlv " + kBit55 + "22");
  EXPECT_EQ(masked.status, 0);
  EXPECT_EQ(masked.output,
            "9F26   8 A1B2C3D4E5F60718  (Application Cryptogram)\n"
            "9C     1 00  (Transaction Type)\n"
            "5A     8 ****************  (Application PAN)\n"
            "5F24   3 ******  (Application Expiration Date)\n"
            "9F35   1 22  (Terminal Type)\n");

  const auto plain = run_cli("tlv --unmasked 5a0847617390010100109F7C0101");
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.output, "5A     8 4761739001010010  (Application PAN)\n9F7C   1 01\n");
}

TEST(TlvCommand, RefusesBadTextAndArguments) {
  EXPECT_EQ(run_cli("tlv " + kBit55).status, 1) << "the last value is cut";
  EXPECT_EQ(run_cli("tlv 9F27G180").status, 2);
  EXPECT_EQ(run_cli("tlv --masked 9F270180").status, 2);
}

}  // namespace
