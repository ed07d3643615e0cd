// The interface layer is loaded by a small program (tests/iface/layer_probe.c) copied into
// folders whose names choose the configuration section, beside a stand-in layer that prints
// what reaches it (tests/iface/fake_layer.c) and a VERTA.INI; each case runs it as a child.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "tools/cli_run.h"

namespace {

namespace fs = std::filesystem;

enum class Layer { kNone, kComplete, kPartial };

// The program and the layer under the names the system looks for; on Windows the library
// goes beside the program too, where the system's search finds it first.
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

  // The folder root_/name holding the program, the layer and VERTA.INI (when given).
  fs::path prepare(const std::string &name, Layer layer, const char *ini) {
    const fs::path folder = root_ / name;
    fs::create_directories(folder);
    fs::copy_file(VL_LAYER_PROBE_PATH, folder / kProbe);
#if defined(_WIN32)
    fs::copy_file(VL_SHARED_LIBRARY_PATH, folder / "VERTALIB.dll");
#endif
    if (layer != Layer::kNone)
      fs::copy_file(layer == Layer::kComplete ? VL_LAYER_COMPLETE_PATH : VL_LAYER_PARTIAL_PATH,
                    folder / kLayerFile);
    if (ini != nullptr) std::ofstream(folder / "VERTA.INI") << ini;
    return folder;
  }

  // Runs the program with the steps in its folder, which comes first on the library search
  // path.
  static vl::test::CliRun run(const fs::path &folder, const std::string &steps) {
#if defined(_WIN32)
    return vl::test::run_program((folder / kProbe).string(), steps, folder.string().c_str());
#else
    const std::string quoted = "'" + folder.string() + "'";
    return vl::test::run_command("cd " + quoted + " && LD_LIBRARY_PATH=" + quoted +
                                 "${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH} ./probe " + steps);
#endif
  }

  fs::path root_;
};

// The probe's "init fini" with the layer loaded, and without it.
const std::string kStartedAndStopped =
    "layer: loaded\n"
    "layer: InicializaCamada start 1\n"
    "InicializaCamada -> 101\n"
    "layer: FinalizaCamada\n"
    "layer: unloaded\n"
    "FinalizaCamada -> 77\n";
const std::string kNothingLoaded = "InicializaCamada -> 0\nFinalizaCamada -> 0\n";

TEST_F(InterfaceLayer, ConfigurationBesideTheProgramDecides) {
  const char *both = "[VERTAGW]\nHabilitaContadores=N\n[VERTASRV]\nHabilitaContadores=S\n";
  const char *both_reversed = "[VERTAGW]\nHabilitaContadores=S\n[VERTASRV]\nHabilitaContadores=N\n";
  struct Row {
    const char *folder;
    Layer layer;
    const char *ini;
    bool loads;
  } rows[] = {
      {"srv_VERTASRV", Layer::kComplete, "[VERTASRV]\nHabilitaContadores=N\n", false},
      {"srv_VERTASRV", Layer::kComplete, "[VERTASRV]\nOutraChave=N\n", true},
      {"srv_VERTASRV", Layer::kComplete, nullptr, true},
      {"srv_VERTASRV", Layer::kComplete, "[vertasrv]\n  habilitacontadores =  Nao \n", false},
      {"srv_VERTASRV", Layer::kComplete, "[VERTASRV]\nHabilitaContadores=s\n", false},
      {"srv_VERTASRV", Layer::kComplete, "[VERTASRV]\nHabilitaContadores=Sim\n", true},
      {"srv_VERTASRV", Layer::kComplete, "[VERTASRV]\nHabilitaContadores=\n", false},
      // The path is searched upper-cased, directories included; the file is found in the
      // folder's own case.
      {"gw_vertagw", Layer::kComplete, "[VERTAGW]\nHabilitaContadores=N\n", false},
      {"VertaSrv/bin", Layer::kComplete, "[VERTASRV]\nHabilitaContadores=N\n", false},
      {"VERTASRV_VERTAGW", Layer::kComplete, both, true},
      {"VERTASRV_VERTAGW", Layer::kComplete, both_reversed, false},
      // Neither name: the counters run and no file is read.
      {"neither", Layer::kComplete, both_reversed, true},
      // A missing layer leaves nothing loaded.
      {"srv_VERTASRV", Layer::kNone, nullptr, false},
  };
  int n = 0;
  for (const Row &row : rows) {
    const fs::path folder = prepare(std::to_string(n++) + "/" + row.folder, row.layer, row.ini);
    const vl::test::CliRun got = run(folder, "init fini");
    EXPECT_EQ(got.status, 0);
    EXPECT_EQ(got.output, row.loads ? kStartedAndStopped : kNothingLoaded)
        << row.folder << " / " << (row.ini ? row.ini : "no VERTA.INI");
  }
}

// What the seven reader and counter calls of the probe print, with the layer loaded (the
// layer's lines first) or not.
std::string calls_output(bool loaded) {
  const int64_t absolute = INT64_C(-5000000000) ^ INT64_C(0x1122334455667788);
  char absolute_text[64];
  std::snprintf(absolute_text, sizeof absolute_text, "%" PRIx64, static_cast<uint64_t>(absolute));
  if (!loaded)
    return "InicializaLeitor -> 0 reply ''\n"
           "FinalizaLeitor -> null\n"
           "ColetaContadorTAXA -> 0\n"
           "ColetaContadorINTEIRO -> 0\n"
           "ColetaContadorMEDIA -> 0\n"
           "ColetaContadorPORCENTAGEM -> 0\n"
           "ColetaContadorABSOLUTO -> 0 written -1\n";
  return "layer: InicializaLeitor PINPAD 42\n"
         "InicializaLeitor -> 84 reply 'reader ok'\n"
         "layer: FinalizaLeitor\n"
         "FinalizaLeitor -> the caller's pointer\n"
         "layer: TAXA 7 2.5\n"
         "ColetaContadorTAXA -> 11\n"
         "layer: INTEIRO -1 78187493530 200 -300 5 6 7 8\n"
         "ColetaContadorINTEIRO -> 455\n"
         "layer: MEDIA 10 0.100000001 1.5 2.5 3.5 4.5 5.5 6.5 7.5 tag 8.5 -9.25\n"
         "ColetaContadorMEDIA -> 10\n"
         "layer: PORCENTAGEM 1 8\n"
         "ColetaContadorPORCENTAGEM -> 12.5\n"
         "layer: ABSOLUTO -5000000000 abs 0.5\n"
         "ColetaContadorABSOLUTO -> " +
         std::string(absolute_text) + " written -5000000000\n";
}

// Disabled, then enabled: loaded once, started twice (the second start still reads the file,
// which disables the counters again, but a loaded layer stays); forwarded calls reach it until
// it is stopped.
TEST_F(InterfaceLayer, LoadsOnceForwardsUnchangedAndUnloads) {
  const fs::path folder = prepare("srv_VERTASRV", Layer::kComplete, nullptr);
  const vl::test::CliRun got =
      run(folder, "fini disable init enable init disable init calls fini calls fini");
  EXPECT_EQ(got.status, 0);
  EXPECT_EQ(got.output, "FinalizaCamada -> 0\n"
                        "InicializaCamada -> 0\n"
                        "layer: loaded\n"
                        "layer: InicializaCamada start 1\n"
                        "InicializaCamada -> 101\n"
                        "layer: InicializaCamada start 2\n"
                        "InicializaCamada -> 102\n" +
                            calls_output(true) +
                            "layer: FinalizaCamada\n"
                            "layer: unloaded\n"
                            "FinalizaCamada -> 77\n" +
                            calls_output(false) + "FinalizaCamada -> 0\n");
}

TEST_F(InterfaceLayer, ALayerLackingAFunctionIsReleased) {
  const fs::path folder = prepare("srv_VERTASRV", Layer::kPartial, nullptr);
  const vl::test::CliRun got = run(folder, "init calls fini");
  EXPECT_EQ(got.status, 0);
  EXPECT_EQ(got.output, "layer: loaded\nlayer: unloaded\nInicializaCamada -> 0\n" +
                            calls_output(false) + "FinalizaCamada -> 0\n");
}

}  // namespace
