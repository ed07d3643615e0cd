// Subcommands over check digits and documents: card numbers, CPF, CNPJ, EAN-13 codes and
// CMC-7 cheque lines.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.h"
#include "vertalib/checkdigits.h"

namespace {

// The digits of a document number written with or without its '.', '-' and '/'.
std::string without_punctuation(const char *text) {
  std::string digits;
  for (; *text != '\0'; ++text)
    if (*text != '.' && *text != '-' && *text != '/') digits += *text;
  return digits;
}

int run_luhn(int argc, char **argv);
int run_cpf(int argc, char **argv);
int run_cnpj(int argc, char **argv);
int run_ean13(int argc, char **argv);
int run_cmc7(int argc, char **argv);

const vl::cli::Command kLuhn{
    "luhn", "check or complete a card number by the Luhn rule",
    "usage: vertalib luhn NUMBER [--complete]\n"
    "Checks the last digit of NUMBER (exit code 1 when it is wrong, naming the right one);\n"
    "with --complete, prints NUMBER followed by its check digit.\n"
    "  vertalib luhn 4111111111111111          ->  valid\n"
    "  vertalib luhn 411111111111111 --complete  ->  4111111111111111\n",
    run_luhn, [] {
      char a[] = "luhn", b[] = "79927398713";
      char *args[] = {a, b};
      run_luhn(2, args);
    }};

const vl::cli::Command kCpf{
    "cpf", "check and format a CPF number",
    "usage: vertalib cpf NUMBER\n"
    "NUMBER has 11 digits, punctuated or not. Prints its display form and whether its\n"
    "two check digits are right (exit code 1 when they are not):\n"
    "  vertalib cpf 11144477735   ->  111.444.777-35 valid\n",
    run_cpf, [] {
      char a[] = "cpf", b[] = "123.456.789-09";
      char *args[] = {a, b};
      run_cpf(2, args);
    }};

const vl::cli::Command kCnpj{
    "cnpj", "check and format a CNPJ number",
    "usage: vertalib cnpj NUMBER\n"
    "NUMBER has 14 digits, punctuated or not. Prints its display form and whether its\n"
    "two check digits are right (exit code 1 when they are not):\n"
    "  vertalib cnpj 11222333000181   ->  11.222.333/0001-81 valid\n",
    run_cnpj, [] {
      char a[] = "cnpj", b[] = "11444777000161";
      char *args[] = {a, b};
      run_cnpj(2, args);
    }};

const vl::cli::Command kEan13{
    "ean13", "check an EAN-13 bar code or complete 12 digits",
    "usage: vertalib ean13 CODE\n"
    "13 digits: checks the last one (exit code 1 when it is wrong, naming the right one).\n"
    "12 digits: prints the code completed with its check digit.\n"
    "  vertalib ean13 4006381333931   ->  valid\n"
    "  vertalib ean13 789100031550    ->  7891000315507\n",
    run_ean13, [] {
      char a[] = "ean13", b[] = "400638133393";
      char *args[] = {a, b};
      run_ean13(2, args);
    }};

const vl::cli::Command kCmc7{
    "cmc7", "take a CMC-7 cheque line apart",
    "usage: vertalib cmc7 LINE\n"
    "LINE is the cheque's CMC-7 text as read (at least 32 characters, separators\n"
    "included; quote it for the shell). Prints its bank, agency, cheque number, the\n"
    "last eight digits of the account and all the digits of the line:\n"
    "  vertalib cmc7 '<23704567<0180123456>700123456789:'\n"
    "  ->  bank 237 agency 0456 cheque 012345 account 12345678\n"
    "      digits 237045670180123456700123456789\n",
    run_cmc7, [] {
      char a[] = "cmc7", b[] = "<34112345<0180654321>200098765432:";
      char *args[] = {a, b};
      run_cmc7(2, args);
    }};

int run_luhn(int argc, char **argv) {
  const bool complete = argc == 3 && std::strcmp(argv[2], "--complete") == 0;
  if (argc != 2 && !complete) return vl::cli::usage_error(kLuhn, "expects a card number");
  const std::string number = argv[1];
  if (!vl::cli::is_digit_text(number.c_str()) || number.size() > 64)
    return vl::cli::usage_error(kLuhn, "up to 64 digits");
  const int body = static_cast<int>(number.size()) - (complete ? 0 : 1);
  const char digit = static_cast<char>(DAC10(number.c_str(), body));
  if (complete) {
    std::printf("%s%c\n", number.c_str(), digit);
    return vl::cli::kOk;
  }
  if (ChaveLuhn(number.c_str()) == 1) {
    std::printf("valid\n");
    return vl::cli::kOk;
  }
  std::printf("invalid: the check digit should be %c\n", digit);
  return vl::cli::kFalse;
}

int run_document(const vl::cli::Command &command, int argc, char **argv, size_t length,
                 int (*check)(const char *)) {
  if (argc != 2) return vl::cli::usage_error(command, "expects one number");
  const std::string digits = without_punctuation(argv[1]);
  if (!vl::cli::is_digit_text(digits.c_str()) || digits.size() != length)
    return vl::cli::usage_error(command, length == 11 ? "expects 11 digits" : "expects 14 digits");
  char display[19];
  int isCnpj = 0;
  FormatCPFCNPJ(display, digits.c_str(), &isCnpj);
  const bool valid = check(digits.c_str()) == 0;
  std::printf("%s %s\n", display, valid ? "valid" : "invalid");
  return valid ? vl::cli::kOk : vl::cli::kFalse;
}

int run_cpf(int argc, char **argv) { return run_document(kCpf, argc, argv, 11, chk_cpf); }

int run_cnpj(int argc, char **argv) { return run_document(kCnpj, argc, argv, 14, chk_cgc); }

int run_ean13(int argc, char **argv) {
  if (argc != 2) return vl::cli::usage_error(kEan13, "expects one code");
  const std::string code = argv[1];
  if (!vl::cli::is_digit_text(code.c_str()) || (code.size() != 12 && code.size() != 13))
    return vl::cli::usage_error(kEan13, "expects 12 or 13 digits");
  const int digit = calculateDVEAN13(code.substr(0, 12).c_str());
  if (code.size() == 12) {
    std::printf("%s%d\n", code.c_str(), digit);
    return vl::cli::kOk;
  }
  if (verifyDVEAN13(code.c_str()) == 1) {
    std::printf("valid\n");
    return vl::cli::kOk;
  }
  std::printf("invalid: the check digit should be %d\n", digit);
  return vl::cli::kFalse;
}

int run_cmc7(int argc, char **argv) {
  if (argc != 2) return vl::cli::usage_error(kCmc7, "expects one CMC-7 line");
  if (std::strlen(argv[1]) < 32) return vl::cli::usage_error(kCmc7, "at least 32 characters");
  char bank[4], agency[5], cheque[7], digits[41];
  char account[11] = {};
  int status = 0;
  DesmontaCMC7(argv[1], bank, agency, account, cheque, &status, digits);
  std::printf("bank %s agency %s cheque %s account %s\ndigits %s\n", bank, agency, cheque, account,
              digits);
  return vl::cli::kOk;
}

}  // namespace

VL_CLI_COMMAND(kLuhn);
VL_CLI_COMMAND(kCpf);
VL_CLI_COMMAND(kCnpj);
VL_CLI_COMMAND(kEan13);
VL_CLI_COMMAND(kCmc7);
