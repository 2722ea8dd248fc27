#include "tessel/display_text.h"

#include <cstdint>

namespace {

// Length of the valid UTF-8 sequence at text[pos] and its code point in cp,
// or 0 when the bytes there are not one (overlong forms and surrogates
// included).
size_t decode_at(std::string_view text, size_t pos, uint32_t &cp) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[pos + i]); };
  const uint8_t lead = byte(0);
  size_t len = 0;
  uint32_t min = 0;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    len = 2, cp = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    len = 3, cp = lead & 0x0F, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    len = 4, cp = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (pos + len > text.size()) return 0;
  for (size_t i = 1; i < len; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

bool is_control(uint32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp < 0xA0); }

struct range {
  uint32_t first, last;
};

// The common blocks only: enough to keep a line from overflowing for the
// scripts wiki titles are usually written in, without a full width table.
constexpr range kWide[] = {
    {0x1100, 0x115F},   {0x2E80, 0x303E},   {0x3041, 0x33FF},
    {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE30, 0xFE4F},
    {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F},
    {0x1F900, 0x1F9FF}, {0x20000, 0x3FFFD},
};
constexpr range kZeroWidth[] = {
    {0x0300, 0x036F}, {0x200B, 0x200F}, {0x20D0, 0x20FF}, {0xFE00, 0xFE0F},
};

template <size_t N>
bool in(const range (&table)[N], uint32_t cp) {
  for (const range &r : table)
    if (cp >= r.first && cp <= r.last) return true;
  return false;
}

size_t columns_of(uint32_t cp) {
  if (in(kZeroWidth, cp)) return 0;
  return in(kWide, cp) ? 2 : 1;
}

}  // namespace

std::string printable_text(std::string_view raw) {
  std::string out;
  out.reserve(raw.size());
  for (size_t pos = 0; pos < raw.size();) {
    uint32_t cp = 0;
    size_t len = decode_at(raw, pos, cp);
    if (len == 0 || is_control(cp)) {
      out += '?';
      pos += len == 0 ? 1 : len;
    } else {
      out.append(raw, pos, len);
      pos += len;
    }
  }
  return out;
}

size_t text_columns(std::string_view text) {
  size_t columns = 0;
  for (size_t pos = 0; pos < text.size();) {
    uint32_t cp = 0;
    size_t len = decode_at(text, pos, cp);
    columns += len == 0 ? 1 : columns_of(cp);
    pos += len == 0 ? 1 : len;
  }
  return columns;
}

std::string_view cut_to_columns(std::string_view text, size_t columns) {
  size_t used = 0;
  for (size_t pos = 0; pos < text.size();) {
    uint32_t cp = 0;
    size_t len = decode_at(text, pos, cp);
    size_t width = len == 0 ? 1 : columns_of(cp);
    if (len == 0) len = 1;
    if (used + width > columns) return text.substr(0, pos);
    used += width;
    pos += len;
  }
  return text;
}
