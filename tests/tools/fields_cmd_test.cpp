#include <gtest/gtest.h>

#include "tools/cli_run.h"

namespace {

using vl::test::run_cli;

TEST(BitmapCommand, ListsThePresentElements) {
  auto r = run_cli("bitmap 7000000000000001");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, "2 3 4 64\n");
  r = run_cli("bitmap f23c46c1a8e0a00000000000000000c1");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, "1 2 3 4 7 11 12 13 14 18 22 23 25 26 32 33 35 37 41 42 43 49 51 121 122 128\n");
  r = run_cli("bitmap 0000000000000000");
  EXPECT_EQ(r.output, "\n");
}

TEST(BitmapCommand, BuildsTheBitmapOfTheElements) {
  auto r = run_cli("bitmap --elements 2 3 4 64 3");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, "7000000000000001\n");
  r = run_cli("bitmap --elements 1 3 65 128");
  EXPECT_EQ(r.output, "A0000000000000008000000000000001\n");
}

TEST(BitmapCommand, RefusesMalformedArguments) {
  for (const char *args : {"bitmap", "bitmap 70000000000000", "bitmap 700000000000000G",
                           "bitmap 70000000000000000000", "bitmap --elements",
                           "bitmap --elements 0", "bitmap --elements 129", "bitmap --elements 5x",
                           "bitmap 7000000000000001 2"}) {
    EXPECT_EQ(run_cli(args).status, 2) << args;
  }
}

}  // namespace
