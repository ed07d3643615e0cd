// Integers and floating-point values as text: counted digit fields in, fixed-width digit
// runs out.
#include "convert/number.h"

#include <cmath>
#include <cstdint>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "convert/decimal.h"
#include "convert/hex.h"
#include "frame/heap.h"
#include "vertalib/convert.h"

namespace vl {

int32_t strtol32(const char *text) {
  const long long value = std::strtoll(text, nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace vl

namespace {

// Copies count characters (count below Capacity) into a NUL-terminated work area and reads
// them with strtol, clamped to 32 bits.
template <size_t Capacity>
int32_t read_counted_integer(const char *text, int count) {
  char work[Capacity] = {};
  if (count > 0) std::memcpy(work, text, static_cast<size_t>(count));
  return vl::strtol32(work);
}

// The runtime's fixed-point conversion buffer of the calling thread.
constexpr size_t kConversionBufferSize = 352;
thread_local char t_conversion_buffer[kConversionBufferSize];

char *fixed_point_text(double value, int decimals) {
  int point = 0;
  if (vl::fixed_point_digits(value, decimals, t_conversion_buffer, sizeof t_conversion_buffer,
                             &point) < 0)
    t_conversion_buffer[0] = '\0';
  return t_conversion_buffer;
}

// Right-aligns text in k characters of '0' (its first k characters when longer).
void copy_right_aligned(char *out, size_t k, const char *text, size_t length) {
  std::memset(out, '0', k);
  if (length >= k) {
    std::memcpy(out, text, k);
  } else {
    std::memcpy(out + k - length, text, length);
  }
}

}  // namespace

extern "C" {

VL_API int VL_CDECL ASC2int(const char *text, int count) {
  return count > 6 ? 0 : read_counted_integer<7>(text, count);
}

VL_API int VL_CDECL StrToInt(const char *text, unsigned int count) {
  return count > 4 ? 0 : read_counted_integer<5>(text, static_cast<int>(count));
}

VL_API int32_t VL_CDECL atolong(const char *text, int count) {
  return count > 10 ? 0 : read_counted_integer<11>(text, count);
}

VL_API int32_t VL_CDECL ASC2long(const char *text, int count) {
  return count > 19 ? 0 : read_counted_integer<20>(text, count);
}

VL_API int VL_CDECL ASC2IntEx(const char *text, int count) {
  if (count < 1) return 0;
  uint32_t value = 0;  // wraps like the 32-bit arithmetic it mirrors
  for (int i = 0; i < count; ++i) {
    if (text[i] < '0' || text[i] > '9') return 0;
    value = value * 10u + static_cast<uint32_t>(text[i] - '0');
  }
  return static_cast<int>(value);
}

VL_API int64_t VL_CDECL atoLONGLONG(const char *text, int count) {
  if (text == nullptr || count < 0 || count > 18 || static_cast<size_t>(count) > std::strlen(text))
    return -1;
  if (count <= 9) return read_counted_integer<10>(text, count);
  const int32_t high = read_counted_integer<10>(text, count - 9);
  if (high < 0) return -1;
  return static_cast<int64_t>(high) * 1000000000 + read_counted_integer<10>(text + count - 9, 9);
}

VL_API double VL_CDECL atodbl(const char *text, int count) {
  if (count > 18) return 0.0;
  char work[19] = {};
  if (count > 0) std::memcpy(work, text, static_cast<size_t>(count));
  return vl::read_decimal(work);
}

VL_API unsigned int VL_CDECL ASCx2uInt(const char *hex) { return GetHexByteFromAscByte(hex); }

VL_API int VL_CDECL QtdDigitosNumInteiroAsc(const char *text, int count) {
  int significant = 0;
  bool seen_nonzero = false;
  for (int i = 0; i < count && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (text[i] != '0') seen_nonzero = true;
    if (seen_nonzero) ++significant;
  }
  return significant;
}

VL_API void VL_CDECL int2ASC(char *out, int value, int count) {
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%5.5d", value);
  const int k = count < 5 ? count : 5;
  if (k > 0) std::memcpy(out, text + length - k, static_cast<size_t>(k));
}

VL_API void VL_CDECL long2ASC(char *out, int32_t value, int count) {
  const int k = count < 8 ? count : 8;
  if (k <= 0) return;  // nothing to write; k - 1 must not wrap for the most negative count
  for (int i = k - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

VL_API void VL_CDECL ltoascii(char *out, int32_t value, int count) {
  const int k = count < 12 ? count : 12;
  if (k <= 0) return;
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
  copy_right_aligned(out, static_cast<size_t>(k), text, static_cast<size_t>(length));
}

VL_API int VL_CDECL ASCx2ASCd(char *out, const char *hex, unsigned int width) {
  // Width and precision both width: a byte value is zero-filled to width digits, which is
  // what the precision alone gives.
  return std::snprintf(out, width + 4, "%.*d", static_cast<int>(width),
                       static_cast<int>(ASCx2uInt(hex)));
}

VL_API int VL_CDECL LONGLONGtoStr(int64_t value, int size, char *out) {
  if (size < 0) return 0;
  std::memset(out, 0, static_cast<size_t>(size));
  if (value < 0) return 0;
  const int64_t high = value / 1000000000;
  const int64_t low = value % 1000000000;
  char text[24];
  size_t length = 0;
  if (high != 0) {
    const int n = std::snprintf(text, sizeof text, "%lld", static_cast<long long>(high));
    if (n + 9 > size) return 0;
    std::memcpy(out, text, static_cast<size_t>(n));
    length = static_cast<size_t>(n);
  }
  const int n = std::snprintf(text, sizeof text, high != 0 ? "%09lld" : "%lld",
                              static_cast<long long>(low));
  if (n > size) return 0;
  std::memcpy(out + length, text, static_cast<size_t>(n));
  out[size] = '\0';
  return 1;
}

VL_API int VL_CDECL LONGLONGtoStrEx(int64_t value, int size, char *out, int padLeft) {
  if (size < 0) return 0;
  if (out != nullptr) std::memset(out, 0, static_cast<size_t>(size));
  const size_t block_size = static_cast<size_t>(size) + 1;
  auto *digits = static_cast<char *>(vl::heap_alloc(block_size));
  if (digits == nullptr) return 0;
  int result = 0;
  if (value >= 0) {
    const int64_t groups[3] = {value / 1000000000000000000, (value % 1000000000000000000) / 1000000000,
                               value % 1000000000};
    size_t length = 0;
    bool refused = false;
    for (int g = 0; g < 3 && !refused; ++g) {
      if (length == 0 && groups[g] == 0) continue;  // leading zero groups are skipped
      char text[24];
      const int n = std::snprintf(text, sizeof text, length == 0 ? "%lld" : "%09lld",
                                  static_cast<long long>(groups[g]));
      if (static_cast<size_t>(n) + 9 * static_cast<size_t>(2 - g) > static_cast<size_t>(size)) {
        refused = true;
        break;
      }
      std::memcpy(digits + length, text, static_cast<size_t>(n));
      length += static_cast<size_t>(n);
    }
    if (!refused && out != nullptr) {
      if (padLeft != 0) {
        copy_right_aligned(out, static_cast<size_t>(size), digits, length);
        out[size] = '\0';
      } else {
        std::memcpy(out, digits, length);
      }
    }
    result = refused ? 0 : 1;
  }
  vl::heap_free_wiped(digits, block_size);
  return result;
}

VL_API int VL_CDECL DoubleToStr(char *out, int width, double value) {
  if (out == nullptr) return 0;
  if (width == INT_MIN) {  // no field of 2^31 characters: refused, as its negation would wrap
    out[0] = '\0';
    return 0;
  }
  char text[400];
  const int length = vl::format_fixed(text, sizeof text, value, 0);
  if (length < 0) {
    out[0] = '\0';
    return 0;
  }
  // Right-aligned in width, the blanks in front read as zeros; a negative width aligns left
  // with trailing blanks, as "%*" does.
  const int pad = (width < 0 ? -width : width) - length;
  if (pad <= 0) {
    std::memcpy(out, text, static_cast<size_t>(length) + 1);
    return length;
  }
  if (width > 0) {
    std::memset(out, '0', static_cast<size_t>(pad));
    std::memcpy(out + pad, text, static_cast<size_t>(length) + 1);
  } else {
    std::memcpy(out, text, static_cast<size_t>(length));
    std::memset(out + length, ' ', static_cast<size_t>(pad));
    out[length + pad] = '\0';
  }
  return length + pad;
}

VL_API void VL_CDECL _dtoasc(char *out, double value, int width) {
  if (width <= 0) return;
  char digits[400];
  int point = 0;
  const int length = vl::fixed_point_digits(value, 0, digits, sizeof digits, &point);
  const auto k = static_cast<size_t>(width);
  std::memset(out, '0', k);
  if (length <= 0) return;
  const auto n = static_cast<size_t>(length);
  if (n >= k) {
    std::memcpy(out, digits + n - k, k);  // the last width digits
  } else {
    std::memcpy(out + k - n, digits, n);
  }
}

VL_API char *VL_CDECL IntToChar(int value) { return fixed_point_text(value, value == 0 ? 1 : 0); }

VL_API char *VL_CDECL DoubleToChar(double value) {
  return fixed_point_text(value, value == 0.0 ? 3 : 2);
}

VL_API double VL_CDECL CalculaPotencia(double base, double exponent) {
  return std::pow(base, exponent);
}

}  // extern "C"
