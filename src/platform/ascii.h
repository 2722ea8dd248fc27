// Byte classes and case folding for the reader. Locale-independent on
// purpose: a host may call setlocale, and what the reader sees must not
// change with it. Bytes 0x80..0xFF are never space, letters or digits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace ascii {

enum : uint8_t {
  kSpace = 1,   // space, \t, \n, \v, \f, \r
  kAlpha = 2,
  kDigit = 4,
  kIdent = 8,   // letters, digits, '_' and '$': an unquoted SQL name
};

struct ClassTable {
  uint8_t bits[256];
  constexpr ClassTable() : bits{} {
    for (int c : {' ', '\t', '\n', '\v', '\f', '\r'}) bits[c] |= kSpace;
    for (int c = 'a'; c <= 'z'; ++c) bits[c] |= kAlpha | kIdent;
    for (int c = 'A'; c <= 'Z'; ++c) bits[c] |= kAlpha | kIdent;
    for (int c = '0'; c <= '9'; ++c) bits[c] |= kDigit | kIdent;
    bits[static_cast<int>('_')] |= kIdent;
    bits[static_cast<int>('$')] |= kIdent;
  }
};

inline constexpr ClassTable kClasses{};

inline bool is_space(int c) { return kClasses.bits[c & 0xFF] & kSpace; }
inline bool is_alpha(int c) { return kClasses.bits[c & 0xFF] & kAlpha; }
inline bool is_digit(int c) { return kClasses.bits[c & 0xFF] & kDigit; }
inline bool is_alnum(int c) { return kClasses.bits[c & 0xFF] & (kAlpha | kDigit); }
inline bool is_ident(int c) { return kClasses.bits[c & 0xFF] & kIdent; }

inline int to_lower(int c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

// Whether s begins with prefix, ignoring ASCII case.
inline bool istarts_with(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (to_lower(static_cast<unsigned char>(s[i])) !=
        to_lower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

// Compares two NUL-terminated strings ignoring ASCII case; <0, 0 or >0.
int casecmp(const char *a, const char *b);

inline bool iequals(const char *a, const char *b) { return casecmp(a, b) == 0; }

}  // namespace ascii
