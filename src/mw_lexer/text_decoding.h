// How old_text is stored, as its old_flags say, and turning it back into
// wiki text.
#pragma once

#include <cstddef>
#include <string>

enum class text_storage {
  plain,       // the bytes are the text
  gzip,        // raw DEFLATE, as PHP's gzdeflate writes it
  unreadable,  // an external-store address or a serialized object
};

// Reads a comma-separated old_flags value.
text_storage classify_text_flags(const char *flags);

// Inflates raw DEFLATE data into out. False when the data is not a complete
// DEFLATE stream.
bool inflate_raw(const char *data, size_t len, std::string &out);

// Decodes an unquoted 0x... literal (mysqldump --hex-blob) into out. False
// when the bytes are not such a literal.
bool decode_hex_literal(const char *data, size_t len, std::string &out);
