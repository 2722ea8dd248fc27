// Helpers for the reader's tests: streams over memory, what a stream has
// consumed, whole-dump scans without a file, and SQL literals.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "mw_lexer/reader.h"
#include "mw_lexer/stream.h"
#include "mw_store/store.h"

namespace lexer_test {

inline std::unique_ptr<sql_stream_t> open_memory(std::string bytes) {
  return stream_open(memory_source(std::move(bytes)));
}

// Bytes of the input consumed so far.
inline uint64_t consumed(const sql_stream_t &s) {
  return s.bytes_read - (s.len - s.pos);
}

// Everything the stream still holds, consumed.
inline std::string rest_of(sql_stream_t *s) {
  std::string out;
  for (int c; (c = stream_next_char(s)) >= 0;) out.push_back(static_cast<char>(c));
  return out;
}

// Runs the statement scanner over sql as mw_lexer_parse would over a file.
inline void scan_text(mw_store_t *store, const std::string &sql, int import_mode) {
  auto s = open_memory(sql);
  scan_stream(s.get(), store, import_mode);
}

// A single-quoted SQL literal of arbitrary bytes, escaped as mysqldump does.
inline std::string sql_quote(const std::string &bytes) {
  std::string out = "'";
  for (char c : bytes) {
    switch (c) {
      case '\0': out += "\\0"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\x1a': out += "\\Z"; break;
      case '\\': out += "\\\\"; break;
      case '\'': out += "\\'"; break;
      default: out.push_back(c);
    }
  }
  return out + "'";
}

// An unquoted hexadecimal literal, as mysqldump --hex-blob writes binary
// columns.
inline std::string hex_literal(const std::string &bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out = "0x";
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

}  // namespace lexer_test
