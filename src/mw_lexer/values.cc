// Tuple values as mysqldump writes them: quoted strings with backslash
// escapes and doubled quotes, charset introducers (_utf8mb4'...') and bit
// literals (b'0101') before a string, bare numbers and NULL.
#include <cstring>

#include "mw_lexer/byte_search.h"
#include "mw_lexer/reader.h"

namespace {

constexpr int kMaxIntroducer = 15;

inline char unescape(int c) {
  switch (c) {
    case '0': return '\0';
    case 'b': return '\b';
    case 't': return '\t';
    case 'n': return '\n';
    case 'r': return '\r';
    case 'Z': return '\x1a';
    default: return static_cast<char>(c);
  }
}

void decode_quoted_body(sql_stream_t *s, int quote, std::string &out) {
  const auto q = static_cast<uint8_t>(quote);
  for (;;) {
    if (s->pos >= s->len && !stream_refill(s)) return;
    const uint8_t *p = s->buf + s->pos;
    size_t avail = s->len - s->pos;
    size_t k = byte_search::find_either(p, avail, '\\', q);
    out.append(reinterpret_cast<const char *>(p), k);
    s->pos += k;
    if (k == avail) continue;
    ++s->pos;
    if (p[k] == '\\') {
      int c = stream_next_char(s);
      if (c < 0) return;
      out.push_back(unescape(c));
    } else if (stream_peek_char(s) == quote) {
      ++s->pos;
      out.push_back(static_cast<char>(quote));
    } else {
      return;
    }
  }
}

inline bool ends_unquoted(int c) {
  return c == ',' || c == ')' || ascii::is_space(c);
}

// One value, decoded into *out when kDecode. Returns -1 at end of input
// before the value, 1 for a quoted string, 0 for anything unquoted.
template <bool kDecode>
int read_value(sql_stream_t *s, std::string *out) {
  stream_skip_ws(s);
  int c = stream_peek_char(s);
  if (c < 0) return -1;
  if (c == '_' || c == 'b' || c == 'B') {
    char prefix[kMaxIntroducer];
    int n = 0;
    while (n < kMaxIntroducer) {
      int b = stream_peek_char(s);
      if (b < 0 || !(ascii::is_alnum(b) || b == '_')) break;
      prefix[n++] = static_cast<char>(b);
      ++s->pos;
    }
    stream_skip_ws(s);
    c = stream_peek_char(s);
    if (c != '\'' && c != '"') {
      if constexpr (kDecode) out->append(prefix, n);
    }
  }
  if (c == '\'' || c == '"') {
    ++s->pos;
    if constexpr (kDecode) {
      decode_quoted_body(s, c, *out);
    } else {
      skip_quoted_body(s, c);
    }
    return 1;
  }
  for (;;) {
    if (s->pos >= s->len && !stream_refill(s)) break;
    const uint8_t *p = s->buf + s->pos;
    const uint8_t *end = s->buf + s->len;
    const uint8_t *q = p;
    while (q < end && !ends_unquoted(*q)) ++q;
    if constexpr (kDecode) out->append(reinterpret_cast<const char *>(p), q - p);
    s->pos += static_cast<uint64_t>(q - p);
    if (q < end) break;
  }
  return 0;
}

}  // namespace

int parse_value(sql_stream_t *s, std::string &out, sql_value_t *v) {
  out.clear();
  int kind = read_value<true>(s, &out);
  if (kind < 0) return -1;
  v->quoted = kind == 1;
  v->is_null = !v->quoted && out.size() == 4 &&
               ascii::to_lower(out[0]) == 'n' && ascii::to_lower(out[1]) == 'u' &&
               ascii::to_lower(out[2]) == 'l' && ascii::to_lower(out[3]) == 'l';
  if (v->is_null) out.clear();
  v->data = out.c_str();
  v->len = out.size();
  return 0;
}

int skip_value(sql_stream_t *s) { return read_value<false>(s, nullptr) < 0 ? -1 : 0; }
