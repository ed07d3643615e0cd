// Makes the development rows of the master-key table for the secrets file: for every row
// (code, version, variant) a clear development key is derived from a fixed label, each of
// its 8-byte pieces is encrypted under the row's transport key (triple DES EDE, built from
// the transport-key pattern of the current secrets file) and the key's check value is
// computed. Prints the secrets lines ("--schema": the schema lines instead). The DES here is
// mbed TLS's, not the library's, so the library's own decryption is checked against it.
//
//   cmake --build build --target make_master_keys && build/tools/secrets/make_master_keys
#include <mbedtls/des.h>
#include <mbedtls/sha256.h>

#include <cstdio>
#include <cstring>

#include "protect/master_keys.h"

namespace {

constexpr size_t kPiece = 8;

void print_hex(const unsigned char *bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) std::printf("%02X", bytes[i]);
}

unsigned char nibble(char c) { return static_cast<unsigned char>(c <= '9' ? c - '0' : c - 'A' + 10); }

// The clear development key of a row: the first bytes of SHA-256 of its label, with the
// DES parity bit of every byte set odd.
void development_key(const vl::pin::MasterKeyRow &row, unsigned char key[16]) {
  char label[96];
  const int length = std::snprintf(label, sizeof label, "VertaLib development master key %03d %03d %d",
                                   row.code, row.version, row.variant);
  unsigned char digest[32];
  mbedtls_sha256_ret(reinterpret_cast<const unsigned char *>(label), static_cast<size_t>(length), digest, 0);
  std::memcpy(key, digest, 16);
  mbedtls_des_key_set_parity(key);
  mbedtls_des_key_set_parity(key + kPiece);
}

// 8 zero bytes under the key (16 digits: single DES; 32 digits: two-key triple DES EDE).
void check_value(const unsigned char *key, int key_digits, unsigned char out[kPiece]) {
  unsigned char triple[24];
  std::memcpy(triple, key, kPiece);
  std::memcpy(triple + kPiece, key_digits == 16 ? key : key + kPiece, kPiece);
  std::memcpy(triple + 2 * kPiece, key, kPiece);
  mbedtls_des3_context context;
  mbedtls_des3_init(&context);
  mbedtls_des3_set3key_enc(&context, triple);
  const unsigned char zero[kPiece] = {};
  mbedtls_des3_crypt_ecb(&context, zero, out);
  mbedtls_des3_free(&context);
}

void print_row(const vl::pin::MasterKeyRow &row) {
  unsigned char clear[16];
  development_key(row, clear);
  char transport_text[vl::pin::kTransportDigits];
  vl::pin::build_transport_key(row, transport_text);
  unsigned char transport[24];
  for (size_t i = 0; i < sizeof transport; ++i)
    transport[i] = static_cast<unsigned char>(nibble(transport_text[2 * i]) << 4 | nibble(transport_text[2 * i + 1]));
  mbedtls_des3_context context;
  mbedtls_des3_init(&context);
  mbedtls_des3_set3key_enc(&context, transport);
  const size_t key_bytes = static_cast<size_t>(row.key_digits) / 2;
  unsigned char encrypted[16];
  for (size_t at = 0; at < key_bytes; at += kPiece) mbedtls_des3_crypt_ecb(&context, clear + at, encrypted + at);
  mbedtls_des3_free(&context);
  unsigned char check[kPiece];
  check_value(clear, row.key_digits, check);
  std::printf("pin_master_key_%03d_%d_%d = ", row.code, row.version, row.variant);
  print_hex(encrypted, key_bytes);
  print_hex(check, 3);
  std::printf("\n");
}

}  // namespace

int main(int argc, char **argv) {
  const bool schema = argc > 1 && std::strcmp(argv[1], "--schema") == 0;
  for (const auto &row : vl::pin::kMasterKeyRows) {
    if (schema) std::printf("pin_master_key_%03d_%d_%d %d\n", row.code, row.version, row.variant, row.key_digits / 2 + 3);
    else print_row(row);
  }
  return 0;
}
