// Names, literals and statement skipping: the small tools every statement
// handler shares.
#include <cstring>

#include "mw_lexer/byte_search.h"
#include "mw_lexer/reader.h"

int read_ident(sql_stream_t *s, char *out, size_t out_size) {
  stream_skip_ws(s);
  int c = stream_peek_char(s);
  if (c < 0) return -1;
  size_t stored = 0;
  auto keep = [&](int b) {
    if (stored + 1 < out_size) out[stored++] = static_cast<char>(b);
  };
  if (c == '`' || c == '"') {
    const int quote = c;
    ++s->pos;
    for (;;) {
      int b = stream_next_char(s);
      if (b < 0 || b == quote) break;
      keep(b);
    }
  } else {
    for (;;) {
      int b = stream_peek_char(s);
      if (b < 0 || !ascii::is_ident(b)) break;
      ++s->pos;
      keep(b);
    }
  }
  if (out_size > 0) out[stored] = '\0';
  return stored > 0 ? 0 : -1;
}

void skip_quoted_body(sql_stream_t *s, int quote) {
  uint64_t carry = 0;
  const auto q = static_cast<uint8_t>(quote);
  for (;;) {
    if (s->pos >= s->len && !stream_refill(s)) return;
    size_t avail = s->len - s->pos;
    size_t k = avail;
    // Most strings are short and hold no backslash before their quote: a
    // search of the first 32 bytes settles them without the escape
    // bookkeeping.
    if (carry == 0) {
      size_t window = avail < 32 ? avail : 32;
      size_t hit = byte_search::find_either(s->buf + s->pos, window, '\\', q);
      if (hit < window && s->buf[s->pos + hit] == q) k = hit;
    }
    if (k == avail)
      k = byte_search::find_string_end(s->buf + s->pos, avail, q, carry);
    if (k == avail) {
      s->pos = s->len;
      continue;
    }
    s->pos += k + 1;
    if (stream_peek_char(s) != quote) return;
    ++s->pos;  // a doubled quote stands for one and does not close
    carry = 0;
  }
}

void skip_to_semicolon(sql_stream_t *s) {
  for (;;) {
    if (s->pos >= s->len && !stream_refill(s)) return;
    const uint8_t *p = s->buf + s->pos;
    size_t avail = s->len - s->pos;
    size_t k = byte_search::find_any3(p, avail, ';', '\'', '"');
    if (k == avail) {
      s->pos = s->len;
      continue;
    }
    s->pos += k + 1;
    if (p[k] == ';') return;
    skip_quoted_body(s, p[k]);
  }
}
