#include "mw_lexer/text_decoding.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/ascii.h"

text_storage classify_text_flags(const char *flags) {
  bool gzip = false;
  bool unreadable = false;
  std::string_view rest(flags);
  while (!rest.empty()) {
    size_t comma = rest.find(',');
    std::string_view flag = rest.substr(0, comma);
    while (!flag.empty() && ascii::is_space(flag.front())) flag.remove_prefix(1);
    while (!flag.empty() && ascii::is_space(flag.back())) flag.remove_suffix(1);
    if (flag == "gzip") gzip = true;
    if (flag == "external" || flag == "object") unreadable = true;
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (unreadable) return text_storage::unreadable;
  return gzip ? text_storage::gzip : text_storage::plain;
}

bool inflate_raw(const char *data, size_t len, std::string &out) {
  out.clear();
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
  int rc = Z_OK;
  size_t remaining = len;
  char chunk[65536];
  while (rc == Z_OK) {
    if (z.avail_in == 0 && remaining > 0) {
      // avail_in is 32 bits wide; feed very large inputs in pieces.
      z.avail_in = static_cast<uInt>(std::min<size_t>(remaining, 1u << 30));
      remaining -= z.avail_in;
    }
    z.next_out = reinterpret_cast<Bytef *>(chunk);
    z.avail_out = sizeof chunk;
    rc = inflate(&z, Z_NO_FLUSH);
    out.append(chunk, sizeof chunk - z.avail_out);
  }
  inflateEnd(&z);
  return rc == Z_STREAM_END;
}

namespace {

int hex_digit(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = ascii::to_lower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool decode_hex_literal(const char *data, size_t len, std::string &out) {
  if (len < 2 || data[0] != '0' || (data[1] != 'x' && data[1] != 'X') ||
      len % 2 != 0)
    return false;
  out.clear();
  out.reserve((len - 2) / 2);
  for (size_t i = 2; i < len; i += 2) {
    int hi = hex_digit(static_cast<unsigned char>(data[i]));
    int lo = hex_digit(static_cast<unsigned char>(data[i + 1]));
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<char>(hi * 16 + lo));
  }
  return true;
}
