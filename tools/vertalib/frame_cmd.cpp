// Subcommands over the library frame.
#include <cstdio>

#include "cli.h"
#include "vertalib/frame.h"

namespace {

int run_messages(int argc, char **argv);

const vl::cli::Command kMessages{
    "messages", "register the window messages and print their codes",
    "usage: vertalib messages\n"
    "Registers the six window messages of the payment system in this process and\n"
    "prints index and code of each.\n",
    run_messages, [] {
      vl::cli::run_with(run_messages, {"messages"});
    }};

int run_messages(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(0, 0, "no arguments")) return args.fail(kMessages);
  RegisterVertaMessages();
  for (unsigned int i = 0; i < 6; ++i) std::printf("%u 0x%04X\n", i, GetMessageCode(i));
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kMessages);
