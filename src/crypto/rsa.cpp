// Multi-precision integers as text, RSA key contexts with PKCS #1 v1.5 encryption, and the
// file-signing module with its trace log. The arithmetic is mbed TLS's; the records that
// cross the interface (mpi with 32-bit limbs, rsa_key_context) are the library's own and
// are converted to and from mbed TLS's integers here, never overlaid on them.
#include <mbedtls/bignum.h>
#include <mbedtls/md5.h>
#include <mbedtls/rsa.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "frame/random.h"
#include "frame/heap.h"
#include "frame/text.h"
#include "platform/platform.h"
#include "vertalib/crypto.h"
#include "vertalib_secrets.h"

namespace {

// Result codes of the integer exports (the same values as mbed TLS's own where both exist).
constexpr int kFileWriteFailed = -2;
constexpr int kBadInput = -4;
constexpr int kInvalidCharacter = -6;
constexpr int kBufferTooSmall = -8;
constexpr int kAllocFailed = -16;

// Key generation: refusal, and the base its step codes are OR'd into.
constexpr int kGenerateRefused = -1024;
constexpr int kGenerateFailed = -1056;
constexpr int kStepArithmetic = 255;
constexpr int kMaxKeyBits = 8 * MBEDTLS_MPI_MAX_SIZE;

constexpr size_t kMaxTextDigits = 80000;
constexpr size_t kMaxBlock = MBEDTLS_MPI_MAX_SIZE;

// An mbed TLS integer that is released (its limbs zeroed by mbed TLS) with its scope.
class Big {
 public:
  Big() { mbedtls_mpi_init(&value_); }
  ~Big() { mbedtls_mpi_free(&value_); }
  Big(const Big &) = delete;
  Big &operator=(const Big &) = delete;
  mbedtls_mpi *get() { return &value_; }
  const mbedtls_mpi *get() const { return &value_; }

 private:
  mbedtls_mpi value_;
};

class RsaKey {
 public:
  RsaKey() { mbedtls_rsa_init(&key_, MBEDTLS_RSA_PKCS_V15, 0); }
  ~RsaKey() { mbedtls_rsa_free(&key_); }
  RsaKey(const RsaKey &) = delete;
  RsaKey &operator=(const RsaKey &) = delete;
  mbedtls_rsa_context *get() { return &key_; }

 private:
  mbedtls_rsa_context key_;
};

// ---- conversion between the library's records and mbed TLS's integers ----

// The limbs at their last non-zero one.
size_t significant_limbs(const mpi &value) {
  size_t n = value.n;
  while (n > 0 && value.p[n - 1] == 0) --n;
  return n;
}

int import_mpi(const mpi &from, mbedtls_mpi *to) {
  if (from.n > 0 && from.p == nullptr) return kBadInput;
  const size_t limbs = significant_limbs(from);
  if (limbs == 0) return mbedtls_mpi_lset(to, 0) == 0 ? 0 : kAllocFailed;
  const size_t bytes = limbs * 4;
  auto *little_endian = static_cast<unsigned char *>(vl::heap_alloc(bytes));
  if (little_endian == nullptr) return kAllocFailed;
  for (size_t i = 0; i < limbs; ++i) {
    for (size_t b = 0; b < 4; ++b) little_endian[4 * i + b] = static_cast<unsigned char>(from.p[i] >> (8 * b));
  }
  int result = mbedtls_mpi_read_binary_le(to, little_endian, bytes) == 0 ? 0 : kAllocFailed;
  vl::heap_free_wiped(little_endian, bytes);
  if (result == 0 && from.s == -1) to->s = -1;
  return result;
}

void release_mpi(mpi &value) {
  vl::heap_free_wiped(value.p, static_cast<size_t>(value.n) * sizeof(uint32_t));
  value.s = 1;
  value.n = 0;
  value.p = nullptr;
}

// Replaces to's limbs (the old ones wiped and released) with from's value; at least one limb.
int export_mpi(const mbedtls_mpi *from, mpi &to) {
  const size_t bytes = mbedtls_mpi_size(from);
  const size_t limbs = bytes == 0 ? 1 : (bytes + 3) / 4;
  auto *limb = static_cast<uint32_t *>(vl::heap_alloc(limbs * sizeof(uint32_t)));
  if (limb == nullptr) return kAllocFailed;
  auto *raw = reinterpret_cast<unsigned char *>(limb);
  if (mbedtls_mpi_write_binary_le(from, raw, limbs * sizeof(uint32_t)) != 0) {
    vl::heap_free_wiped(limb, limbs * sizeof(uint32_t));
    return kBadInput;
  }
  // Little-endian bytes to native 32-bit words, in place (a no-op on little-endian hosts).
  for (size_t i = 0; i < limbs; ++i) {
    const unsigned char *b = raw + 4 * i;
    limb[i] = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
              static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
  }
  release_mpi(to);
  to.p = limb;
  to.n = static_cast<uint32_t>(limbs);
  to.s = (from->s < 0 && bytes != 0) ? -1 : 1;
  return 0;
}

mpi rsa_key_context::*const kIntegers[] = {
    &rsa_key_context::N,  &rsa_key_context::E,  &rsa_key_context::D,  &rsa_key_context::P,
    &rsa_key_context::Q,  &rsa_key_context::DP, &rsa_key_context::DQ, &rsa_key_context::QP,
    &rsa_key_context::RN, &rsa_key_context::RP, &rsa_key_context::RQ};

void release_integers(rsa_key_context &ctx) {
  for (auto member : kIntegers) release_mpi(ctx.*member);
}

// ---- integer text ----

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char u = vl::to_upper(c);
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return 99;
}

// The room the text needs by the rule of the interface: a quarter of the bit length for
// radix 16, half of it for radix 4 and above, all of it below, plus 3.
size_t room_rule(const mbedtls_mpi *value, int radix) {
  size_t n = mbedtls_mpi_bitlen(value);
  if (radix >= 4) n >>= 1;
  if (radix >= 16) n >>= 1;
  return n + 3;
}

// ---- RSA operations ----

// Random bytes for the library's key contexts: the system's source; the runtime generator,
// four bytes a draw, only if that source fails.
int VL_CDECL library_random(void *, unsigned char *out, uint32_t length) {
  if (vl::platform::secure_random(out, length)) return 0;
  for (uint32_t i = 0; i < length; i += 4) {
    const auto draw = static_cast<uint32_t>(vl::runtime_rand());
    for (uint32_t b = 0; b < 4 && i + b < length; ++b) out[i + b] = static_cast<unsigned char>(draw >> (8 * b));
  }
  return 0;
}

// The context's own random function, in the shape mbed TLS calls.
int context_random(void *state, unsigned char *out, size_t length) {
  const auto *ctx = static_cast<const rsa_key_context *>(state);
  while (length > 0) {
    const uint32_t piece = length > 0x10000 ? 0x10000u : static_cast<uint32_t>(length);
    const int result = ctx->f_rng(ctx->p_rng, out, piece);
    if (result != 0) return result;
    out += piece;
    length -= piece;
  }
  return 0;
}

// Blinding values of the private operation.
int blinding_random(void *, unsigned char *out, size_t length) {
  return vl::platform::secure_random(out, length) ? 0 : MBEDTLS_ERR_RSA_RNG_FAILED;
}

void seed_runtime_generator() {
  uint32_t seed = 0;
  if (!vl::platform::secure_random(&seed, sizeof seed)) seed = static_cast<uint32_t>(vl::platform::epoch_now());
  vl::runtime_srand(seed);
}

int generate_keys(rsa_key_context *ctx, int bits, int exponent, int time_limit) {
  if (ctx == nullptr) return kGenerateRefused;
  const int64_t started = vl::platform::epoch_now();
  if (ctx->len == 0) {
    std::memset(ctx, 0, sizeof *ctx);
    ctx->f_rng = library_random;
    seed_runtime_generator();
  }
  if (ctx->f_rng == nullptr || bits < 128 || bits > kMaxKeyBits || exponent < 3 || exponent % 2 == 0) {
    return kGenerateRefused;
  }
  const int64_t limit = time_limit & 0xFF;
  const auto half = static_cast<size_t>(bits / 2);

  Big e, p, q, n, p1, q1, h, g, d, dp, dq, qp;
  int step = 0;
  auto fail = [&](int code) {
    release_integers(*ctx);
    return kGenerateFailed | code;
  };
  if (mbedtls_mpi_lset(e.get(), exponent) != 0) return fail(kStepArithmetic);
  for (;;) {
    if ((step = mbedtls_mpi_gen_prime(p.get(), half, 0, context_random, ctx)) != 0) return fail(step);
    if ((step = mbedtls_mpi_gen_prime(q.get(), half, 0, context_random, ctx)) != 0) return fail(step);
    const int order = mbedtls_mpi_cmp_mpi(p.get(), q.get());
    if (order == 0) continue;
    if (order < 0) mbedtls_mpi_swap(p.get(), q.get());
    if (mbedtls_mpi_mul_mpi(n.get(), p.get(), q.get()) != 0 || mbedtls_mpi_sub_int(p1.get(), p.get(), 1) != 0 ||
        mbedtls_mpi_sub_int(q1.get(), q.get(), 1) != 0 || mbedtls_mpi_mul_mpi(h.get(), p1.get(), q1.get()) != 0 ||
        mbedtls_mpi_gcd(g.get(), e.get(), h.get()) != 0) {
      return fail(kStepArithmetic);
    }
    const int64_t elapsed = vl::platform::epoch_now() - started;
    if (elapsed % 256 > limit) return fail(kStepArithmetic);
    if (mbedtls_mpi_cmp_int(g.get(), 1) == 0) break;
  }
  if ((step = mbedtls_mpi_inv_mod(d.get(), e.get(), h.get())) != 0 ||
      (step = mbedtls_mpi_mod_mpi(dp.get(), d.get(), p1.get())) != 0 ||
      (step = mbedtls_mpi_mod_mpi(dq.get(), d.get(), q1.get())) != 0 ||
      (step = mbedtls_mpi_inv_mod(qp.get(), q.get(), p.get())) != 0) {
    return fail(step);
  }
  const struct {
    const Big &value;
    mpi &into;
  } results[] = {{n, ctx->N}, {e, ctx->E}, {d, ctx->D}, {p, ctx->P}, {q, ctx->Q},
                 {dp, ctx->DP}, {dq, ctx->DQ}, {qp, ctx->QP}};
  for (const auto &r : results) {
    if ((step = export_mpi(r.value.get(), r.into)) != 0) return fail(step);
  }
  ctx->len = static_cast<int32_t>((mbedtls_mpi_bitlen(n.get()) + 7) / 8);
  return 0;
}

// Loads the context into an mbed TLS key: N and E for the public operation, and whatever
// private parts it holds (the rest is derived) for the private one. The context's length
// must be the modulus's.
bool load_key(const rsa_key_context &ctx, bool private_key, mbedtls_rsa_context *key) {
  Big n, e, d, p, q;
  if (import_mpi(ctx.N, n.get()) != 0 || import_mpi(ctx.E, e.get()) != 0) return false;
  const mbedtls_mpi *pd = nullptr, *pp = nullptr, *pq = nullptr;
  if (private_key) {
    if (import_mpi(ctx.D, d.get()) != 0 || import_mpi(ctx.P, p.get()) != 0 || import_mpi(ctx.Q, q.get()) != 0) {
      return false;
    }
    if (mbedtls_mpi_cmp_int(d.get(), 0) != 0) pd = d.get();
    if (mbedtls_mpi_cmp_int(p.get(), 0) != 0 && mbedtls_mpi_cmp_int(q.get(), 0) != 0) {
      pp = p.get();
      pq = q.get();
    }
  }
  if (mbedtls_rsa_import(key, n.get(), pp, pq, pd, e.get()) != 0 || mbedtls_rsa_complete(key) != 0) return false;
  return ctx.len > 0 && mbedtls_rsa_get_len(key) == static_cast<size_t>(ctx.len);
}

// The public (mode 0) or private (mode 1) operation on ctx.len bytes.
bool apply_key(const rsa_key_context &ctx, int mode, const unsigned char *in, unsigned char *out) {
  RsaKey key;
  if (!load_key(ctx, mode == 1, key.get())) return false;
  if (mode == 0) return mbedtls_rsa_public(key.get(), in, out) == 0;
  return mbedtls_rsa_private(key.get(), blinding_random, nullptr, in, out) == 0;
}

// A context without a key gets one; then the mode must be 0 or 1.
bool ready_for(rsa_key_context *ctx, int mode, int bits, int exponent) {
  if (ctx == nullptr) return false;
  if (ctx->len == 0 && RSAGenerateKeys(ctx, bits, exponent) != 0) return false;
  return mode == 0 || mode == 1;
}

// ---- the signing module ----

constexpr int kModuleKeyLength = 128;  // KEYLEN in the log
constexpr size_t kSignatureDigits = 2 * kModuleKeyLength;
constexpr const char *kLogFile = "Cripto1.log";
constexpr const char *kOldLogFile = "Cripto2.log";
constexpr const char *kConfigFile = "CriptCfg.txt";
constexpr const char *kLowerHex = "0123456789abcdef";

struct SigningModule {
  bool set_up;
  bool tracing;
  bool key_set;
  rsa_key_context key;
  int32_t log_limit;
};
constinit SigningModule module{false, false, false, {}, 500000};

const char *or_empty(const char *text) { return text == nullptr ? "" : text; }

// One line of the trace log, with its time stamp; rotates the log past its limit.
[[gnu::format(printf, 1, 2)]] void trace(const char *format, ...) {
  if (!module.tracing) return;
  FILE *log = std::fopen(kLogFile, "a");
  if (log == nullptr) return;
  if (std::fseek(log, 0, SEEK_END) == 0 && std::ftell(log) > module.log_limit) {
    std::fclose(log);
    std::remove(kOldLogFile);
    std::rename(kLogFile, kOldLogFile);
    log = std::fopen(kLogFile, "a");
    if (log == nullptr) return;
  }
  const vl::platform::LocalTime now = vl::platform::local_time_now();
  std::fprintf(log, "%02d/%02d %02d:%02d:%02d:%.3u", now.day, now.month, now.hour, now.minute, now.second,
               static_cast<unsigned>(now.millisecond));
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(log, format, arguments);
  va_end(arguments);
  std::fflush(log);
  std::fclose(log);
}

void upper_case(char *line) {
  for (; *line != '\0'; ++line) *line = vl::to_upper(*line);
}

// A second configuration line "...TAMLOG=<digits>" raises the rotation limit: only when the
// line, with its line end if it has one, is 13 to 17 characters long and everything after
// the '=' is a digit 1 to 8 (so a line end, or a 0 or 9, leaves the limit as it is).
void read_log_limit(const char *line) {
  const char *at = std::strstr(line, "TAMLOG=");
  if (at == nullptr) return;
  const size_t length = std::strlen(line);
  if (length < 13 || length > 17) return;
  int64_t value = 0;
  for (const char *c = at + 7; *c != '\0'; ++c) {
    if (*c < '1' || *c > '8') return;
    value = value * 10 + (*c - '0');
  }
  if (value > INT32_MAX) value = INT32_MAX;
  if (value > module.log_limit) module.log_limit = static_cast<int32_t>(value);
}

void set_up_module() {
  if (module.set_up) return;
  if (FILE *config = std::fopen(kConfigFile, "r"); config != nullptr) {
    char line[100];
    if (std::fgets(line, sizeof line, config) != nullptr) {
      upper_case(line);
      if (std::strstr(line, "TRACE=1") != nullptr) {
        module.tracing = true;
        if (std::fgets(line, sizeof line, config) != nullptr) {
          upper_case(line);
          read_log_limit(line);
        }
      }
    }
    std::fclose(config);
  }
  if (module.tracing) {
    static constexpr const char *frame = "----------------------------------------------------\n";
    trace("%s", frame);
    trace("- CRIPTO   : Modulo de Criptografia RSA          -\n");
    trace("- %s - %s - %s              -\n", "V1.0.0.1", "12/02/2008", "Equipe Dev.");
    trace("- %s                 -\n", "Alteracoes : 1 - Funcao _dumplog");
    trace("- %s      -\n", "             2 - Parametros de Configuracao");
    trace("%s", frame);
  }
  module.set_up = true;
}

// 0, 1 when the file does not open, 2 on a read error.
int md5_of_file(const char *name, unsigned char digest[16]) {
  FILE *file = name == nullptr ? nullptr : std::fopen(name, "rb");
  if (file == nullptr) return 1;
  mbedtls_md5_context md5;
  mbedtls_md5_init(&md5);
  mbedtls_md5_starts_ret(&md5);
  unsigned char piece[1024];
  size_t count;
  while ((count = std::fread(piece, 1, sizeof piece, file)) > 0) mbedtls_md5_update_ret(&md5, piece, count);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (!failed) mbedtls_md5_finish_ret(&md5, digest);
  mbedtls_md5_free(&md5);
  return failed ? 2 : 0;
}

void lower_hex(const unsigned char *bytes, size_t count, char *out) {
  for (size_t i = 0; i < count; ++i) {
    out[2 * i] = kLowerHex[bytes[i] >> 4];
    out[2 * i + 1] = kLowerHex[bytes[i] & 0x0F];
  }
}

// The signature block of a digest raised to the module's private exponent.
int sign_digest(const unsigned char digest[16], unsigned char signature[kModuleKeyLength]) {
  unsigned char block[kModuleKeyLength];
  std::memset(block, 0xFF, sizeof block);
  block[0] = 0x00;
  block[1] = 0x01;
  block[110] = 0x00;
  block[111] = 0x10;
  std::memcpy(block + 112, digest, 16);
  Big n, d, x, y;
  int result = import_mpi(module.key.N, n.get());
  if (result == 0) result = import_mpi(module.key.D, d.get());
  if (result == 0) result = mbedtls_mpi_read_binary(x.get(), block, sizeof block);
  if (result == 0) result = mbedtls_mpi_exp_mod(y.get(), x.get(), d.get(), n.get(), nullptr);
  if (result == 0) result = mbedtls_mpi_write_binary(y.get(), signature, kModuleKeyLength);
  return result;
}

}  // namespace

extern "C" {

VL_API int VL_STDCALL mpi_read_string(mpi *X, int radix, const char *text) {
  if (X == nullptr || text == nullptr || radix < 2 || radix > 16) return kBadInput;
  const bool negative = text[0] == '-';
  const char *digits = text + (negative ? 1 : 0);
  size_t count = 0;
  for (; digits[count] != '\0'; ++count) {
    if (digit_value(digits[count]) >= radix) return kInvalidCharacter;
    if (count >= kMaxTextDigits) return kAllocFailed;
  }
  Big value;
  if (count > 0) {
    const int result = mbedtls_mpi_read_string(value.get(), radix, digits);
    if (result == MBEDTLS_ERR_MPI_INVALID_CHARACTER) return kInvalidCharacter;
    if (result != 0) return kAllocFailed;
  }
  if (negative && mbedtls_mpi_cmp_int(value.get(), 0) != 0) value.get()->s = -1;
  return export_mpi(value.get(), *X);
}

VL_API int VL_STDCALL mpi_write_string(const mpi *X, int radix, char *out, int32_t *size) {
  if (X == nullptr || size == nullptr || radix < 2 || radix > 16) return kBadInput;
  Big value;
  if (const int result = import_mpi(*X, value.get()); result != 0) return result;
  size_t room = 0;
  mbedtls_mpi_write_string(value.get(), radix, nullptr, 0, &room);
  auto *text = static_cast<char *>(vl::heap_alloc(room));
  if (text == nullptr) return kAllocFailed;
  size_t written = 0;
  int result = mbedtls_mpi_write_string(value.get(), radix, text, room, &written) == 0 ? 0 : kAllocFailed;
  if (result == 0) {
    // The rule's room, or the text itself where the rule leaves no place for the sign.
    size_t needed = room_rule(value.get(), radix);
    if (written > needed) needed = written;
    if (*size < 0 || static_cast<size_t>(*size) < needed) {
      *size = needed > INT32_MAX ? INT32_MAX : static_cast<int32_t>(needed);
      result = kBufferTooSmall;
    } else if (out == nullptr) {
      result = kBadInput;
    } else {
      std::memcpy(out, text, written);
      *size = static_cast<int32_t>(written);
    }
  }
  vl::heap_free_wiped(text, room);
  return result;
}

VL_API int VL_CDECL mpi_write_file(const char *prefix, const mpi *X, int radix, FILE *stream) {
  char text[1024];
  int32_t size = sizeof text - 2;
  const int result = mpi_write_string(X, radix, text, &size);
  if (result != 0) return result;
  size_t length = static_cast<size_t>(size) - 1;
  text[length++] = '\r';
  text[length++] = '\n';
  prefix = or_empty(prefix);
  int outcome = 0;
  if (stream != nullptr) {
    const size_t prefix_length = std::strlen(prefix);
    if (std::fwrite(prefix, 1, prefix_length, stream) != prefix_length ||
        std::fwrite(text, 1, length, stream) != length) {
      outcome = kFileWriteFailed;
    }
  } else {
    text[length] = '\0';
    std::printf("%s%s", prefix, text);
  }
  vl::secure_zero(text, sizeof text);
  return outcome;
}

VL_API int VL_STDCALL RSAGenerateKeys(rsa_key_context *ctx, int bits, int exponent) {
  return RSAGenerateKeysV2(ctx, bits, exponent, 255);
}

VL_API int VL_STDCALL RSAGenerateKeysV2(rsa_key_context *ctx, int bits, int exponent, int time_limit) {
  return generate_keys(ctx, bits, exponent, time_limit);
}

VL_API int VL_STDCALL RSAEncrypt(rsa_key_context *ctx, int mode, int bits, int exponent,
                                 const unsigned char *input, int input_length, unsigned char *output) {
  if (!ready_for(ctx, mode, bits, exponent)) return 1;
  const int64_t length = ctx->len;
  if (ctx->padding != 0 || input_length < 0 || length < int64_t{input_length} + 11 ||
      length > static_cast<int64_t>(kMaxBlock) || output == nullptr || (input == nullptr && input_length > 0)) {
    return 1;
  }
  unsigned char block[kMaxBlock];
  const size_t padding = static_cast<size_t>(length - input_length - 3);
  block[0] = 0x00;
  block[1] = 0x02;
  for (size_t i = 0; i < padding; ++i) {
    int draw;
    do draw = vl::runtime_rand() & 0xFF;
    while (draw == 0);
    block[2 + i] = static_cast<unsigned char>(draw);
  }
  block[2 + padding] = 0x00;
  if (input_length > 0) std::memcpy(block + 3 + padding, input, static_cast<size_t>(input_length));
  const bool done = apply_key(*ctx, mode, block, output);
  vl::secure_zero(block, sizeof block);
  return done ? 0 : 1;
}

VL_API int VL_STDCALL RSADecrypt(rsa_key_context *ctx, int mode, int bits, int exponent,
                                 const unsigned char *input, int input_length, unsigned char *output,
                                 int32_t *output_length, int padded) {
  (void)input_length;
  if (!ready_for(ctx, mode, bits, exponent)) return 1;
  const int32_t length = ctx->len;
  const int32_t most = padded != 0 ? static_cast<int32_t>(kMaxBlock) : 512;
  if (length < 16 || length > most || input == nullptr || output == nullptr || output_length == nullptr) return 1;
  unsigned char block[kMaxBlock];
  bool done = apply_key(*ctx, mode, input, block);
  const auto size = static_cast<size_t>(length);
  if (done && padded != 0) {
    // 00 02, the padding (any non-zero bytes), 00, the message.
    size_t end = 2;
    while (end < size && block[end] != 0) ++end;
    done = block[0] == 0x00 && block[1] == 0x02 && end < size;
    if (done) {
      std::memcpy(output, block + end + 1, size - end - 1);
      *output_length = static_cast<int32_t>(size - end - 1);
    }
  } else if (done) {
    std::memcpy(output, block, size);
    *output_length = 0;
  }
  vl::secure_zero(block, sizeof block);
  return done ? 0 : 1;
}

VL_API void VL_STDCALL RSAFree(rsa_key_context *ctx) {
  if (ctx != nullptr) release_integers(*ctx);
}

VL_API int VL_STDCALL CriptoSetaChvPriv(const char *modulus, const char *private_exponent,
                                        const char *public_exponent) {
  set_up_module();
  trace("CriptoSetaChvPriv IN\n");
  trace("... ModuloPrivado   = %s ...\n", or_empty(modulus));
  trace("... ExpoentePrivado = %s ...\n", or_empty(private_exponent));
  trace("... ExpoentePublico = %s ...\n", or_empty(public_exponent));
  const size_t modulus_length = std::strlen(or_empty(modulus));
  const size_t exponent_length = std::strlen(or_empty(private_exponent));
  if (modulus_length != kSignatureDigits || exponent_length != kSignatureDigits) {
    trace("... Tamanho Invalido (iTamModulo = %d), (iTamExpoente = %d) ...\n", static_cast<int>(modulus_length),
          static_cast<int>(exponent_length));
    return -1;
  }
  const size_t public_length = std::strlen(or_empty(public_exponent));
  if (public_exponent == nullptr || public_length % 2 != 0) {
    trace("... Tamanho Invalido (iTamExpoentePublico = %d) ...\n", static_cast<int>(public_length));
    return -1;
  }
  release_integers(module.key);
  std::memset(&module.key, 0, sizeof module.key);
  module.key.len = kModuleKeyLength;
  const struct {
    mpi &into;
    const char *text;
    const char *name;
  } parts[] = {{module.key.N, modulus, "RSA_Geral_N"},
               {module.key.E, public_exponent, "RSA_Geral_E"},
               {module.key.D, private_exponent, "RSA_Geral_D"}};
  for (const auto &part : parts) {
    if (const int result = mpi_read_string(&part.into, 16, part.text); result != 0) {
      trace("... Retorno de Mpi_Read_string (%s) = %d ...\n", part.name, result);
      return -1;
    }
  }
  Big n;
  import_mpi(module.key.N, n.get());
  const auto length = static_cast<int>((mbedtls_mpi_bitlen(n.get()) + 7) / 8);
  if (length != kModuleKeyLength) {
    trace("... Tamanho rsa.len = %d diferente de KEYLEN = %d ...\n", length, kModuleKeyLength);
    return -1;
  }
  module.key.len = length;
  module.key_set = true;
  trace("CriptoSetaChvPriv OUT : 0 (Chave Atribuida com Sucesso)\n");
  return 0;
}

VL_API int VL_STDCALL CriptoGeraAss(const char *file_name, char **signature) {
  set_up_module();
  trace("CriptoGeraAss IN (Arquivo = %s)\n", or_empty(file_name));
  if (!module.key_set) {
    trace("... Erro! Chave Privada Nao Setada...\n");
    return -2;
  }
  if (signature == nullptr || *signature == nullptr) return -1;
  std::memset(*signature, 0, kSignatureDigits);
  unsigned char digest[16];
  if (const int failure = md5_of_file(file_name, digest); failure != 0) {
    trace("... Erro Ao Gerar MD5 : %d...\n", failure);
    return -1;
  }
  unsigned char value[kModuleKeyLength];
  if (const int failure = sign_digest(digest, value); failure != 0) {
    trace("... Erro Ao Encriptar o MD5 : %d ...\n", failure);
    return -1;
  }
  char text[kSignatureDigits + 1];
  lower_hex(value, sizeof value, text);
  text[kSignatureDigits] = '\0';
  trace("... sAssTrans = %s ...\n", text);
  std::memcpy(*signature, text, kSignatureDigits);
  trace("CriptoGeraAss OUT : 0 (Gerado com Sucesso)\n");
  return static_cast<int>(kSignatureDigits);
}

VL_API int VL_STDCALL CriptoGeraMD5Buf(const unsigned char *buffer, int32_t length, char **digest) {
  // The first line comes before the set-up, so the very first call of a process lacks it.
  trace("CriptoGeraMD5Buf IN\n");
  set_up_module();
  if (length < 0) {
    trace("... Fora da Faixa ...\n");
    return -1;
  }
  if (digest == nullptr || *digest == nullptr || (buffer == nullptr && length > 0)) return -1;
  // The buffer is shown as text up to its first NUL, never past its length.
  const auto *text = reinterpret_cast<const char *>(buffer);
  trace("... Tamanho : %d Buffer : %.*s ...\n", length,
        static_cast<int>(buffer == nullptr ? 0 : vl::bounded_length(text, static_cast<size_t>(length))),
        or_empty(text));
  char *out = *digest;
  std::memset(out, 0, 32);
  unsigned char sum[16];
  mbedtls_md5_context md5;
  mbedtls_md5_init(&md5);
  mbedtls_md5_starts_ret(&md5);
  if (length > 0) mbedtls_md5_update_ret(&md5, buffer, static_cast<size_t>(length));
  mbedtls_md5_finish_ret(&md5, sum);
  mbedtls_md5_free(&md5);
  lower_hex(sum, sizeof sum, out);
  out[32] = '\0';
  trace("... MD5buf = %s ...\n", out);
  trace("CriptoGeraMD5Buf OUT : 0\n");
  return 0;
}

VL_API int VL_STDCALL GeraAssinatura(const char *file_name) {
  // The key as text: modulus in upper-case digits, private exponent in lower case.
  char modulus[kSignatureDigits + 1], exponent[kSignatureDigits + 1];
  for (size_t i = 0; i < kModuleKeyLength; ++i) {
    modulus[2 * i] = vl::hex_digit(vl::secrets::rsa_signing_modulus[i] >> 4);
    modulus[2 * i + 1] = vl::hex_digit(vl::secrets::rsa_signing_modulus[i]);
  }
  lower_hex(vl::secrets::rsa_signing_private_exponent, kModuleKeyLength, exponent);
  modulus[kSignatureDigits] = exponent[kSignatureDigits] = '\0';
  const int set = CriptoSetaChvPriv(modulus, exponent, "010001");
  vl::secure_zero(modulus, sizeof modulus);
  vl::secure_zero(exponent, sizeof exponent);
  if (set != 0) return 1;
  char signature[kSignatureDigits];
  char *into = signature;
  if (CriptoGeraAss(file_name, &into) != static_cast<int>(kSignatureDigits)) return 2;
  FILE *file = std::fopen(file_name, "ab+");
  if (file == nullptr) return 3;
  const int written = std::fprintf(file, "EAD%.256s\n", signature);
  const bool closed = std::fclose(file) == 0;
  return written == 260 && closed ? 0 : 4;
}

}  // extern "C"
