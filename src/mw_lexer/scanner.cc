// The statement scanner: splits the dump into comments and statements and
// hands CREATE TABLE and INSERT INTO to their handlers; everything else is
// skipped to its semicolon.
#include <cstdio>
#include <cstring>
#include <string>

#include "mw_lexer/lexer.h"
#include "mw_lexer/reader.h"
#include "mw_store/store.h"
#include "platform/platform.h"

namespace {

constexpr size_t kCommentSize = 512;
constexpr size_t kWordSize = 64;

void read_line_comment(sql_stream_t *s, mw_store_t *store) {
  char text[kCommentSize];
  size_t stored = 0;
  for (;;) {
    int c = stream_next_char(s);
    if (c < 0 || c == '\n') break;
    if (stored + 1 < kCommentSize) text[stored++] = static_cast<char>(c);
  }
  text[stored] = '\0';
  check_comment_hints(store, text);
}

void skip_line(sql_stream_t *s) {
  for (;;) {
    if (s->pos >= s->len && !stream_refill(s)) return;
    const void *nl = memchr(s->buf + s->pos, '\n', s->len - s->pos);
    if (nl != nullptr) {
      s->pos = static_cast<const uint8_t *>(nl) - s->buf + 1;
      return;
    }
    s->pos = s->len;
  }
}

void skip_block_comment(sql_stream_t *s) {
  int prev = 0;
  for (;;) {
    int c = stream_next_char(s);
    if (c < 0 || (prev == '*' && c == '/')) return;
    prev = c;
  }
}

void infer_generation(mw_store_t *store) {
  if (store->mediawiki_version[0] != '\0') return;
  const char *guess = "unknown";
  // A wiki with a table prefix declares its revision table under that prefix.
  const std::string revision = store->table_prefix + "revision";
  if (store->rows_slots != 0 ||
      mw_store_find_col_idx(store, "revision", "rev_comment_id") >= 0 ||
      (!store->table_prefix.empty() &&
       mw_store_find_col_idx(store, revision.c_str(), "rev_comment_id") >= 0)) {
    guess = "MediaWiki 1.31+";
  } else if (store->rows_revision != 0) {
    guess = "MediaWiki 1.19-1.30";
  }
  copy_cut(store->mediawiki_version, sizeof store->mediawiki_version, guess);
}

}  // namespace

void scan_stream(sql_stream_t *s, mw_store_t *store, int import_mode) {
  char word[kWordSize];
  while (!s->eof && store->failure.empty()) {
    stream_skip_ws(s);
    int c = stream_peek_char(s);
    if (c < 0) break;
    if (c == '-') {
      ++s->pos;
      if (stream_peek_char(s) == '-') {
        ++s->pos;
        read_line_comment(s, store);
      }
      continue;
    }
    if (c == '#') {
      skip_line(s);
      continue;
    }
    if (c == '/') {
      ++s->pos;
      if (stream_peek_char(s) == '*') {
        ++s->pos;
        skip_block_comment(s);
        continue;
      }
    }
    if (read_ident(s, word, sizeof word) != 0) {
      stream_next_char(s);
      continue;
    }
    if (ascii::iequals(word, "CREATE")) {
      if (read_ident(s, word, sizeof word) != 0) continue;
      if (ascii::iequals(word, "TABLE")) {
        parse_create_table(s, store);
      } else {
        skip_to_semicolon(s);
      }
    } else if (ascii::iequals(word, "INSERT")) {
      if (read_ident(s, word, sizeof word) != 0) continue;
      if (ascii::iequals(word, "INTO")) {
        parse_insert_into(s, store, import_mode);
      } else {
        skip_to_semicolon(s);
      }
    } else {
      skip_to_semicolon(s);
    }
  }
  infer_generation(store);
}

int mw_lexer_parse(const char *sql_path, mw_store_t *store, int import_mode,
                   char *err, size_t err_size, const mw_lexer_hooks *hooks) {
  if (sql_path == nullptr || store == nullptr) {
    write_message(err, err_size, "Invalid arguments");
    return -1;
  }
  std::string why;
  auto source = open_dump_source(sql_path, &store->file_size, &why);
  if (!source) {
    write_message(err, err_size, "Failed to open SQL file: %s", sql_path);
    return -1;
  }
  auto stream = stream_open(std::move(source));
  if (hooks != nullptr) {
    stream->on_block = hooks->on_block;
    stream->on_block_context = hooks->context;
  }
  scan_stream(stream.get(), store, import_mode);
  // A read error must not pass for the end of the dump: the rest of its rows
  // would be silently missing.
  if (stream->failed) {
    write_message(err, err_size, "Failed to read SQL file: %s (%s)", sql_path,
                  stream->source->error().c_str());
    return -1;
  }
  if (!store->failure.empty()) {
    write_message(err, err_size, "%s", store->failure.c_str());
    return -1;
  }
  return 0;
}
