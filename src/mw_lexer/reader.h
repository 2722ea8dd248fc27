// The reader's internal pieces, shared by its files and by the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "mw_lexer/stream.h"

struct mw_store_t;

// One decoded value of a tuple. data is followed by a NUL; len counts NUL
// bytes inside the value. A NULL value has is_null set, len 0 and data "".
struct sql_value_t {
  const char *data;
  uint64_t len;
  bool is_null;
  bool quoted;  // the value was a quoted string
};

inline constexpr int kMaxTupleValues = 64;

// Reads one identifier (back-quoted, double-quoted or bare) into out, at
// most out_size - 1 bytes; the rest of a longer name is consumed. 0 when at
// least one byte was stored, else -1.
int read_ident(sql_stream_t *s, char *out, size_t out_size);

// Consumes through the next ';' outside quoted literals, or to the end.
void skip_to_semicolon(sql_stream_t *s);

// Consumes a quoted literal's body after its opening quote, through the
// closing quote; backslashes escape the next byte and a doubled quote does
// not close it.
void skip_quoted_body(sql_stream_t *s, int quote);

// Reads one value into out (its storage) and fills v. -1 when the input
// ended before a value began, else 0.
int parse_value(sql_stream_t *s, std::string &out, sql_value_t *v);

// Consumes one value exactly as parse_value would, keeping nothing.
// -1 when the input ended before a value began, else 0.
int skip_value(sql_stream_t *s);

// Handlers for the statements the scanner recognises; each is called with
// the stream just behind the statement's leading words.
void parse_create_table(sql_stream_t *s, mw_store_t *store);
void parse_insert_into(sql_stream_t *s, mw_store_t *store, int import_mode);

// Counts one tuple of table_name and, in import mode, maps it into the store.
void dispatch_tuple(mw_store_t *store, int import_mode, const char *table_name,
                    const sql_value_t *values, int n);

// Fills dump metadata from the text of one "--" comment line.
void check_comment_hints(mw_store_t *store, const char *text);

// Scans a whole stream into the store (the body of mw_lexer_parse).
void scan_stream(sql_stream_t *s, mw_store_t *store, int import_mode);
