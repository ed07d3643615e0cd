// Subcommands over check digits and documents: card numbers, CPF, CNPJ, EAN-13 codes and
// CMC-7 cheque lines.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli.h"
#include "vertalib/checkdigits.h"

namespace {

// The characters of a document number written with or without its '.', '-' and '/'.
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
    "usage: vertalib luhn [--complete] NUMBER\n"
    "NUMBER has 2 to 64 digits (1 to 63 with --complete). Checks its last digit (exit\n"
    "code 1 when it is wrong, naming the right one); with --complete, prints NUMBER\n"
    "followed by its check digit.\n"
    "  vertalib luhn 4111111111111111          ->  valid\n"
    "  vertalib luhn 411111111111111 --complete  ->  4111111111111111\n",
    run_luhn, [] {
      vl::cli::run_with(run_luhn, {"luhn", "79927398713"});
    }};

const vl::cli::Command kCpf{
    "cpf", "check and format a CPF number",
    "usage: vertalib cpf NUMBER\n"
    "NUMBER has 11 digits, punctuated or not. Prints its display form and whether its\n"
    "two check digits are right (exit code 1 when they are not):\n"
    "  vertalib cpf 11144477735   ->  111.444.777-35 valid\n",
    run_cpf, [] {
      vl::cli::run_with(run_cpf, {"cpf", "123.456.789-09"});
    }};

const vl::cli::Command kCnpj{
    "cnpj", "check and format a CNPJ number",
    "usage: vertalib cnpj NUMBER\n"
    "NUMBER has 14 characters, punctuated or not: twelve digits or letters A-Z (the\n"
    "alphanumeric CNPJ; lower case is read as upper case), then two check digits. Prints\n"
    "its display form and whether its check digits are right (exit code 1 when not):\n"
    "  vertalib cnpj 11222333000181   ->  11.222.333/0001-81 valid\n"
    "  vertalib cnpj 12ABC34501DE35   ->  12.ABC.345/01DE-35 valid\n",
    run_cnpj, [] {
      vl::cli::run_with(run_cnpj, {"cnpj", "11444777000161"});
    }};

const vl::cli::Command kEan13{
    "ean13", "check an EAN-13 bar code or complete 12 digits",
    "usage: vertalib ean13 CODE\n"
    "13 digits: checks the last one (exit code 1 when it is wrong, naming the right one).\n"
    "12 digits: prints the code completed with its check digit.\n"
    "  vertalib ean13 4006381333931   ->  valid\n"
    "  vertalib ean13 789100031550    ->  7891000315507\n",
    run_ean13, [] {
      vl::cli::run_with(run_ean13, {"ean13", "400638133393"});
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
      vl::cli::run_with(run_cmc7, {"cmc7", "<34112345<0180654321>200098765432:"});
    }};

int run_luhn(int argc, char **argv) {
  vl::cli::Args args(argc, argv, {{"--complete", 0}});
  if (!args.expect(1, 1, "a card number")) return args.fail(kLuhn);
  const bool complete = args.flag("--complete");
  const std::string number = args[0];
  const std::string problem =
      vl::cli::digit_text_problem("NUMBER", number.c_str(), complete ? 1 : 2, complete ? 63 : 64);
  if (!problem.empty()) return vl::cli::usage_error(kLuhn, problem.c_str());
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

// What is wrong with a CPF (11 digits) or a CNPJ (12 digits or letters, then 2 digits)
// written with or without its punctuation; empty when nothing is. Positions count the
// characters as written.
std::string document_problem(const std::string &text, size_t length) {
  const bool cnpj = length == 14;
  size_t place = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' || c == '-' || c == '/') continue;
    const bool letter = c >= 'A' && c <= 'Z';
    if ((c >= '0' && c <= '9') || (cnpj && letter && place < 12)) {
      ++place;
      continue;
    }
    return std::string("character '") + c + "' at position " + std::to_string(i + 1) +
           (cnpj ? ": a CNPJ holds digits or letters A-Z, its last two places digits"
                 : ": a CPF holds digits only");
  }
  if (place != length)
    return std::to_string(place) + " characters besides punctuation: expects " + std::to_string(length);
  return "";
}

int run_document(const vl::cli::Command &command, int argc, char **argv, size_t length,
                 int (*check)(const char *)) {
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(1, 1, "one number")) return args.fail(command);
  std::string text = args[0];
  if (length == 14)
    for (char &c : text)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const std::string problem = document_problem(text, length);
  if (!problem.empty()) return vl::cli::usage_error(command, problem.c_str());
  const std::string digits = without_punctuation(text.c_str());
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
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(1, 1, "one code")) return args.fail(kEan13);
  const std::string code = args[0];
  const std::string problem = vl::cli::digit_text_problem("CODE", code.c_str(), 12, 13);
  if (!problem.empty()) return vl::cli::usage_error(kEan13, problem.c_str());
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
  vl::cli::Args args(argc, argv, {});
  if (!args.expect(1, 1, "one CMC-7 line")) return args.fail(kCmc7);
  if (std::strlen(args[0]) < 32) return vl::cli::usage_error(kCmc7, "at least 32 characters");
  char bank[4], agency[5], cheque[7], digits[41];
  char account[11] = {};
  int status = 0;
  DesmontaCMC7(args[0], bank, agency, account, cheque, &status, digits);
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
