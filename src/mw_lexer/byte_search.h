// Bulk searches over the stream's block, so that long quoted strings cost a
// few instructions per 64 bytes instead of a call per byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace byte_search {

#if defined(__SSE2__)
inline uint64_t eq_mask64(const uint8_t *p, uint8_t c) {
  const __m128i needle = _mm_set1_epi8(static_cast<char>(c));
  uint64_t m0 = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(
      _mm_loadu_si128(reinterpret_cast<const __m128i *>(p)), needle)));
  uint64_t m1 = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(
      _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16)), needle)));
  uint64_t m2 = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(
      _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 32)), needle)));
  uint64_t m3 = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(
      _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 48)), needle)));
  return m0 | (m1 << 16) | (m2 << 32) | (m3 << 48);
}
#else
inline uint64_t eq_mask64(const uint8_t *p, uint8_t c) {
  uint64_t m = 0;
  for (int i = 0; i < 64; ++i) m |= static_cast<uint64_t>(p[i] == c) << i;
  return m;
}
#endif

// Positions that a backslash escapes, given the backslash positions of a
// 64-byte block. `carry` is 1 when the block's first byte is escaped by a
// backslash run at the end of the previous block, and is updated for the
// next block. Runs of backslashes escape in pairs: only the byte after an
// odd-length run is escaped.
inline uint64_t escaped_positions(uint64_t backslash, uint64_t &carry) {
  backslash &= ~carry;
  const uint64_t follows_escape = (backslash << 1) | carry;
  const uint64_t even_bits = 0x5555555555555555ULL;
  const uint64_t odd_starts = backslash & ~even_bits & ~follows_escape;
  uint64_t even_runs;
  carry = __builtin_add_overflow(odd_starts, backslash, &even_runs) ? 1 : 0;
  const uint64_t invert = even_runs << 1;
  return (even_bits ^ invert) & follows_escape;
}

// Index of the first `quote` in p[0, n) that no backslash escapes, or n.
// `carry` says whether p[0] is escaped and carries that state across calls.
inline size_t find_string_end(const uint8_t *p, size_t n, uint8_t quote,
                              uint64_t &carry) {
  size_t i = 0;
  for (; i + 64 <= n; i += 64) {
    uint64_t escaped = escaped_positions(eq_mask64(p + i, '\\'), carry);
    uint64_t quotes = eq_mask64(p + i, quote) & ~escaped;
    if (quotes != 0) return i + static_cast<size_t>(__builtin_ctzll(quotes));
  }
  for (; i < n; ++i) {
    if (carry) {
      carry = 0;
    } else if (p[i] == '\\') {
      carry = 1;
    } else if (p[i] == quote) {
      return i;
    }
  }
  return n;
}

// Index of the first byte in p[0, n) equal to a or b, or n.
inline size_t find_either(const uint8_t *p, size_t n, uint8_t a, uint8_t b) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(static_cast<char>(a));
  const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
  for (; i + 16 <= n; i += 16) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
    int m = _mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(x, vb)));
    if (m != 0) return i + static_cast<size_t>(__builtin_ctz(m));
  }
#endif
  for (; i < n; ++i)
    if (p[i] == a || p[i] == b) return i;
  return n;
}

// Index of the first byte in p[0, n) equal to a, b or c, or n.
inline size_t find_any3(const uint8_t *p, size_t n, uint8_t a, uint8_t b,
                        uint8_t c) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(static_cast<char>(a));
  const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
  const __m128i vc = _mm_set1_epi8(static_cast<char>(c));
  for (; i + 16 <= n; i += 16) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
    int m = _mm_movemask_epi8(_mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(x, vb)),
        _mm_cmpeq_epi8(x, vc)));
    if (m != 0) return i + static_cast<size_t>(__builtin_ctz(m));
  }
#endif
  for (; i < n; ++i)
    if (p[i] == a || p[i] == b || p[i] == c) return i;
  return n;
}

}  // namespace byte_search
