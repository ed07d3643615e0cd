// The interface layer is loaded by a small program (tests/iface/layer_probe.c) copied into
// folders whose names choose the configuration section, beside a stand-in layer that prints
// what reaches it (tests/iface/fake_layer.c) and a VERTA.INI; each case runs it as a child.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <string>

#include "support/data_file.h"
#include "tools/cli_run.h"

namespace {

namespace fs = std::filesystem;

// The lines of the data file's rows of kind, each ended by a line feed.
std::string transcript(const char *kind) {
  std::string text;
  for (const auto &row : vl::test::data_rows("iface/layer.tsv", kind)) text += row.at(0) + "\n";
  return text;
}

// The program and the layer under the names the system looks for.
#if defined(_WIN32)
constexpr char kProbe[] = "probe.exe";
constexpr char kLayerFile[] = "pmvertainterface.dll";
#else
constexpr char kProbe[] = "probe";
constexpr char kLayerFile[] = "libpmvertainterface.so";
#endif

class InterfaceLayer : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("vl_layer_" + std::to_string(std::random_device{}()));
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  // Runs the program with the steps in the folder root_/name, beside the layer (when given)
  // and VERTA.INI (when given); the folder comes first on the library search path (on
  // Windows, the library goes beside the program too, where the system looks first).
  vl::test::CliRun run(const std::string &name, const char *layer, const std::string &ini, const std::string &steps) {
    const fs::path folder = root_ / name;
    fs::create_directories(folder);
    fs::copy_file(VL_LAYER_PROBE_PATH, folder / kProbe);
    if (layer != nullptr) fs::copy_file(layer, folder / kLayerFile);
    if (ini != "-") std::ofstream(folder / "VERTA.INI") << std::regex_replace(ini, std::regex("\\\\n"), "\n");
#if defined(_WIN32)
    fs::copy_file(VL_SHARED_LIBRARY_PATH, folder / "VERTALIB.dll");
    return vl::test::run_program((folder / kProbe).string(), steps, folder.string().c_str());
#else
    const std::string quoted = "'" + folder.string() + "'";
    return vl::test::run_command("cd " + quoted + " && LD_LIBRARY_PATH=" + quoted +
                                 "${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH} ./probe " + steps);
#endif
  }

  fs::path root_;
};

const std::string kNothingLoaded = "InicializaCamada -> 0\nFinalizaCamada -> 0\n";

TEST_F(InterfaceLayer, ConfigurationBesideTheProgramDecides) {
  const auto rows = vl::test::data_rows("iface/layer.tsv", "config");
  ASSERT_EQ(rows.size(), 13u);
  int n = 0;
  for (const auto &row : rows) {
    const char *layer = row[1] == "complete" ? VL_LAYER_COMPLETE_PATH : nullptr;
    const vl::test::CliRun got = run(std::to_string(n++) + "/" + row[0], layer, row[2], "init fini");
    EXPECT_EQ(got.status, 0);
    EXPECT_EQ(got.output, row[3] == "1" ? transcript("started-stopped") : kNothingLoaded) << row[0] << " / " << row[2];
  }
}

// Disabled, then enabled: loaded once, started twice (the second start still reads the file,
// which disables the counters again, but a loaded layer stays); forwarded calls reach it,
// their arguments and results passed unchanged, until it is stopped.
TEST_F(InterfaceLayer, LoadsOnceForwardsUnchangedAndUnloads) {
  const vl::test::CliRun got = run("srv_VERTASRV", VL_LAYER_COMPLETE_PATH, "-",
                                   "fini disable init enable init disable init calls fini calls fini");
  EXPECT_EQ(got.status, 0);
  const std::string started = transcript("started-stopped");
  EXPECT_EQ(got.output, "FinalizaCamada -> 0\nInicializaCamada -> 0\n" + started.substr(0, started.find("layer: Finaliza")) +
                            "layer: InicializaCamada start 2\nInicializaCamada -> 102\n" + transcript("calls-loaded") +
                            started.substr(started.find("layer: Finaliza")) + transcript("calls-unloaded") +
                            "FinalizaCamada -> 0\n");
}

TEST_F(InterfaceLayer, ALayerLackingAFunctionIsReleased) {
  const vl::test::CliRun got = run("srv_VERTASRV", VL_LAYER_PARTIAL_PATH, "-", "init calls fini");
  EXPECT_EQ(got.status, 0);
  EXPECT_EQ(got.output, "layer: loaded\nlayer: unloaded\nInicializaCamada -> 0\n" + transcript("calls-unloaded") +
                            "FinalizaCamada -> 0\n");
}

}  // namespace
