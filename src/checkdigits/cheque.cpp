// Cheque and invoice codes: the fields and digits of a CMC-7 line, the card BIN inside the
// bar code of an invoice, and which brands' invoices are paid by card number or bar code.
#include <cstring>

#include "frame/text.h"
#include "vertalib/checkdigits.h"

namespace {

constexpr size_t kCmc7DigitsRead = 40;

// Positions of the CMC-7 fields (from 0) and their widths.
struct Field {
  size_t position;
  size_t width;
};
constexpr Field kBank{1, 3};
constexpr Field kAgency{4, 4};
constexpr Field kChequeNumber{13, 6};
constexpr Field kAccount{24, 8};
constexpr size_t kAccountTerminator = 10;

constexpr int kCaixa = 104;
constexpr int kBradesco = 237;
constexpr int kReal = 356;

struct BrandRange {
  int first;
  int last;
};
constexpr BrandRange kPaidByCardNumber[] = {{33, 33},   {123, 123}, {132, 132}, {165, 165},
                                            {213, 213}, {214, 214}, {222, 222}, {235, 235},
                                            {245, 245}, {489, 495}, {516, 516}};
constexpr BrandRange kPaidByBarCode[] = {{123, 123}, {165, 165}, {214, 214},
                                         {235, 235}, {245, 245}, {490, 495}};
constexpr int kBrandFlaggingCardNumber = 33;

template <size_t N>
constexpr bool listed(const BrandRange (&ranges)[N], int brand) {
  for (const BrandRange &range : ranges)
    if (brand >= range.first && brand <= range.last) return true;
  return false;
}

void copy_field(const char *line, Field field, char *out) {
  std::memcpy(out, line + field.position, field.width);
}

// The bin is two slices of the bar code, written one after the other (6 characters).
void copy_slices(const char *barCode, Field first, Field second, char *bin) {
  copy_field(barCode, first, bin);
  copy_field(barCode, second, bin + first.width);
}

int bank_code(const char *barCode) {
  char digits[4] = {};
  std::memcpy(digits, barCode, vl::bounded_length(barCode, 3));
  return vl::strtol32(digits);
}

}  // namespace

extern "C" {

void StrCpyCMC7(char *digits, const char *cmc7) {
  const size_t length = vl::bounded_length(cmc7, kCmc7DigitsRead);
  for (size_t i = 0; i < length; ++i)
    if (vl::is_digit(cmc7[i])) *digits++ = cmc7[i];
  *digits = '\0';
}

void DesmontaCMC7(const char *cmc7, char *bank, char *agency, char *account, char *chequeNumber,
                  int *status, char *digits) {
  copy_field(cmc7, kBank, bank);
  bank[kBank.width] = '\0';
  copy_field(cmc7, kAgency, agency);
  agency[kAgency.width] = '\0';
  copy_field(cmc7, kChequeNumber, chequeNumber);
  chequeNumber[kChequeNumber.width] = '\0';
  // The account's last eight digits; the two bytes after them keep what the caller had.
  copy_field(cmc7, kAccount, account);
  account[kAccountTerminator] = '\0';
  *status = 1;
  StrCpyCMC7(digits, cmc7);
}

int VerificaPagamentoBINCodigoBarrasIBI(const char *barCode, char *bin) {
  switch (bank_code(barCode)) {
    case kCaixa:
      copy_slices(barCode, {17, 2}, {21, 4}, bin);
      return 1;
    case kBradesco:
    case kReal:
      copy_slices(barCode, {17, 3}, {21, 3}, bin);
      return 1;
    default:
      return 0;
  }
}

int IsEspecLojistaBandPagFaturaPANEx(int brand, int *flag) {
  if (brand == kBrandFlaggingCardNumber) *flag = 1;
  return listed(kPaidByCardNumber, brand) ? 1 : 0;
}

int IsEspecLojistaBandPagFaturaPAN(int brand) {
  int discarded = 0;
  return IsEspecLojistaBandPagFaturaPANEx(brand, &discarded);
}

int IsEspecLojistaBandPagFaturaCodBar(int brand) { return listed(kPaidByBarCode, brand) ? 1 : 0; }

}  // extern "C"
