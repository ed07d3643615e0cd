// The frame services' subcommands: version strings and the INI file's path.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "frame/environment.h"
#include "platform/platform.h"
#include "tools/cli_cases.h"

TEST(FrameCmd, VersionSplitsAndBuildsTheRedecardField) {
  vl::test::expect_cli_cases({
      {"version 1.02.03.0004", 0, "major 1 minor 2 release 3 build 4\nwithout build 1.2.3, as a number 102030004\n"},
      {"version 01.02.003 --redecard", 0,
       "major 1 minor 2 release 0 build 3\nwithout build 1.2.0, as a number 102003\n[003021CL0401    :P0102003  ]\n"},
      {"version 12345.1.1", 1, "vertalib version: '12345.1.1' is not a dotted version\n"}});
  vl::test::expect_refused({"version", "version 1.2.3.4 5.6.7.8"});
}

TEST(FrameCmd, IniPrintsThePathFound) {
  namespace fs = std::filesystem;
  const std::string unique = std::to_string(std::random_device{}());
  const fs::path directory = fs::temp_directory_path() / ("vl_ini_cmd_" + unique);
  fs::create_directories(directory);
  std::ofstream(directory / "CMDTEST.INI") << "[VERTASRV]\n";
  const std::string separator(1, vl::platform::path_separator);
  vl::test::CliRun found, missing;
  {
    const vl::test::SavedVariable saved("VertaIniPath");
    vl::test::set_variable("VertaIniPath", directory.string());
    found = vl::test::run_cli("ini CMDTEST");
    missing = vl::test::run_cli("ini NoSuch" + unique);
  }
  fs::remove_all(directory);
  EXPECT_EQ(found.status, 0);
  EXPECT_EQ(found.output, directory.string() + separator + "CMDTEST.INI\n");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.output, fs::current_path().string() + separator + "NoSuch" + unique + ".INI\n" +
                                "vertalib ini: NoSuch" + unique + ".INI not found\n");
  vl::test::expect_refused({"ini A B"});
}
