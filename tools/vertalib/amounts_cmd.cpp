// Subcommands over amounts: display form and amount in words.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli.h"
#include "vertalib/amounts.h"

namespace {

int run_valor(int argc, char **argv);
int run_extenso(int argc, char **argv);

const vl::cli::Command kValor{
    "valor", "amount in centavos to display form and back",
    "usage: vertalib valor AMOUNT\n"
    "AMOUNT of digits only (centavos, up to 12) prints its display form:\n"
    "  vertalib valor 000000123456   ->  1.234,56\n"
    "a display amount prints the 12-digit amount:\n"
    "  vertalib valor 1.234,56       ->  000000123456\n"
    "Exit code 1 when a display amount is not grouped correctly.\n",
    run_valor,
    [] {
      vl::cli::run_with(run_valor, {"valor", "000000123456"});
      vl::cli::run_with(run_valor, {"valor", "1.234.567,89"});
    }};

const vl::cli::Command kExtenso{
    "extenso", "amount in centavos to Portuguese words",
    "usage: vertalib extenso CENTAVOS [--width N]\n"
    "Prints the amount in words; with --width, cut into lines of N characters\n"
    "(number words hyphenated at the line end), one per output line.\n"
    "  vertalib extenso 150050  ->  UM MIL E QUINHENTOS REAIS E CINQUENTA CENTAVOS\n",
    run_extenso,
    [] {
      vl::cli::run_with(run_extenso, {"extenso", "123456789", "--width", "20"});
    }};

int run_valor(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(1, 1, "one amount")) return args.fail(kValor);
  const char *amount = args[0];
  if (vl::cli::is_digit_text(amount)) {
    if (std::strlen(amount) > 12) return vl::cli::usage_error(kValor, "at most 12 digits");
    char padded[13];
    std::snprintf(padded, sizeof padded, "%012lld", std::atoll(amount));
    std::printf("%s\n", FormatValor(padded, 12));
    return vl::cli::kOk;
  }
  char text[32];
  if (std::strlen(amount) >= sizeof text) return vl::cli::usage_error(kValor, "amount too long");
  std::strcpy(text, amount);
  if (RetiraSeparadorMilharDecimal(text) != 1) {
    std::fprintf(stderr, "vertalib valor: '%s' is not a display amount\n", amount);
    return vl::cli::kFalse;
  }
  std::printf("%012lld\n", std::atoll(text));
  return vl::cli::kOk;
}

int run_extenso(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {{"--width", 1}});
  if (!args.expect(1, 1, "an amount in centavos")) return args.fail(kExtenso);
  int width = 0;
  if (const char *given = args.value("--width")) {
    width = vl::cli::is_digit_text(given) && std::strlen(given) <= 3 ? std::atoi(given) : 0;
    if (width < 1 || width > 300) return vl::cli::usage_error(kExtenso, "width from 1 to 300");
  }
  const char *amount = args[0];
  const std::string problem = vl::cli::digit_text_problem("CENTAVOS", amount, 1, 14);
  if (!problem.empty()) return vl::cli::usage_error(kExtenso, problem.c_str());
  char out[1024];
  const int count = Extenso(std::atof(amount), out, width);
  if (width == 0 || count == 0) {
    std::printf("%s\n", out);
    return vl::cli::kOk;
  }
  for (int i = 0; i < count; ++i) std::printf("%.*s\n", width, out + i * width);
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kValor);
VL_CLI_COMMAND(kExtenso);
