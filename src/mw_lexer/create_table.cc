// CREATE TABLE: only the column names, in order, for the schema registry.
// Types, keys and options are passed over.
#include <cstdio>

#include "mw_lexer/reader.h"
#include "mw_lexer/tables.h"
#include "mw_store/store.h"
#include "platform/platform.h"

namespace {

constexpr size_t kNameBuffer = 128;

bool opens_non_column(const char *word) {
  for (const char *kw : {"PRIMARY", "KEY", "INDEX", "CONSTRAINT", "UNIQUE",
                         "FULLTEXT", "CHECK"})
    if (ascii::iequals(word, kw)) return true;
  return false;
}

// Skips the rest of one definition; stops behind its ',' or before the
// table's closing ')'.
void skip_definition(sql_stream_t *s, int &depth) {
  for (;;) {
    int c = stream_peek_char(s);
    if (c < 0) return;
    if (depth == 1 && c == ',') {
      ++s->pos;
      return;
    }
    if (depth == 1 && c == ')') return;
    ++s->pos;
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    } else if (c == '\'' || c == '"') {
      skip_quoted_body(s, c);
    }
  }
}

}  // namespace

void parse_create_table(sql_stream_t *s, mw_store_t *store) {
  char name[kNameBuffer];
  if (read_ident(s, name, sizeof name) != 0) return;
  if (ascii::iequals(name, "IF")) {
    for (int i = 0; i < 3; ++i) read_ident(s, name, sizeof name);
  }
  char table[kNameSize];
  copy_cut(table, sizeof table, name);

  stream_skip_ws(s);
  if (stream_peek_char(s) != '(') {
    skip_to_semicolon(s);
    return;
  }
  ++s->pos;
  int depth = 1;
  while (depth > 0) {
    stream_skip_ws(s);
    int c = stream_peek_char(s);
    if (c < 0) break;
    if (c == '`' || ascii::is_alpha(c)) {
      char column[kNameBuffer];
      if (read_ident(s, column, sizeof column) == 0 &&
          !opens_non_column(column) && depth == 1)
        mw_store_add_schema_col(store, table, column);
      skip_definition(s, depth);
      continue;
    }
    ++s->pos;
    if (c == ')') {
      --depth;
    } else if (c == '(') {
      ++depth;
    } else if (c == '\'' || c == '"') {
      skip_quoted_body(s, c);
    }
  }
  skip_to_semicolon(s);
  learn_table_prefix(store, table);
  if (classify_table(store, table) == mw_table::content)
    store->has_content_table = true;
}
