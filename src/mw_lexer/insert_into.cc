// INSERT INTO statements: the optional column list, then the tuples of the
// VALUES list. Every tuple of a counted table is counted; in import mode
// each tuple's values are decoded and handed to the row mapping, otherwise
// they are only skipped over, which costs no copies.
#include <array>
#include <string>

#include "mw_lexer/reader.h"
#include "mw_lexer/tables.h"
#include "mw_store/store.h"

namespace {

constexpr size_t kTableNameSize = 64;
constexpr size_t kColumnNameSize = 128;
constexpr size_t kKeywordSize = 32;

void read_column_list(sql_stream_t *s, mw_store_t *store, const char *table,
                      bool registers) {
  char column[kColumnNameSize];
  for (;;) {
    const uint64_t before = stream_offset(s);
    if (read_ident(s, column, sizeof column) == 0 && registers)
      mw_store_add_schema_col(store, table, column);
    const bool moved = stream_offset(s) != before;
    stream_skip_ws(s);
    int c = stream_peek_char(s);
    if (c < 0) return;
    if (c == ')') {
      ++s->pos;
      return;
    }
    // A byte that starts no name (the dot of a qualified name, a stray
    // quote) is dropped so that the list always makes progress.
    if (c == ',' || !moved) ++s->pos;
  }
}

// The decoded values of one tuple; buffers are reused by every tuple of the
// statement.
struct tuple_buffers {
  std::array<std::string, kMaxTupleValues> storage;
  std::array<sql_value_t, kMaxTupleValues> values{};
  std::string overflow;  // values past the 64th are decoded here and dropped
};

// Reads a tuple after its '('. Returns the number of values kept; with no
// buffers the values are only skipped and none is kept.
int read_tuple(sql_stream_t *s, tuple_buffers *t) {
  int count = 0;
  for (;;) {
    if (t != nullptr) {
      if (count < kMaxTupleValues) {
        if (parse_value(s, t->storage[count], &t->values[count]) != 0) break;
        ++count;
      } else {
        sql_value_t dropped;
        if (parse_value(s, t->overflow, &dropped) != 0) break;
      }
    } else if (skip_value(s) != 0) {
      break;
    }
    stream_skip_ws(s);
    int c = stream_peek_char(s);
    if (c < 0) break;
    if (c == ')') {
      ++s->pos;
      break;
    }
    if (c == ',') ++s->pos;
  }
  return count;
}

void read_tuples(sql_stream_t *s, mw_store_t *store, int import_mode,
                 const char *table, mw_table kind) {
  std::unique_ptr<tuple_buffers> buffers;
  if (import_mode != 0) buffers = std::make_unique<tuple_buffers>();
  for (;;) {
    stream_skip_ws(s);
    int c = stream_next_char(s);
    if (c < 0 || c == ';') return;
    if (c != '(') continue;
    int n = read_tuple(s, buffers.get());
    dispatch_row(store, kind, import_mode, table,
                   buffers ? buffers->values.data() : nullptr, n);
    if (!store->failure.empty()) return;
    stream_skip_ws(s);
    c = stream_peek_char(s);
    if (c == ',' || c == ';') {
      ++s->pos;
      if (c == ';') return;
    }
  }
}

}  // namespace

void parse_insert_into(sql_stream_t *s, mw_store_t *store, int import_mode) {
  char table[kTableNameSize];
  if (read_ident(s, table, sizeof table) != 0) return;
  const mw_table kind = classify_table(store, table);
  const bool target = kind != mw_table::none;

  stream_skip_ws(s);
  if (stream_peek_char(s) == '(') {
    ++s->pos;
    read_column_list(s, store, table, target);
  }
  if (!target) {
    skip_to_semicolon(s);
    return;
  }
  char keyword[kKeywordSize];
  if (read_ident(s, keyword, sizeof keyword) != 0) return;
  if (!ascii::iequals(keyword, "VALUES") && !ascii::iequals(keyword, "VALUE")) {
    skip_to_semicolon(s);
    return;
  }
  // Rows of tables that are neither counted nor mapped need no reading.
  if (!is_counted(kind) && import_mode == 0) {
    skip_to_semicolon(s);
    return;
  }
  read_tuples(s, store, import_mode, table, kind);
}
