// Turning text from a dump into something safe to put on one terminal line,
// and measuring it in columns.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// raw with every byte that is not part of valid UTF-8 and every control
// character (C0, DEL, C1) replaced by '?', so that a title cannot move the
// cursor, ring the bell or start an escape sequence.
std::string printable_text(std::string_view raw);

// The columns that printable text takes: two for East Asian wide characters
// and emoji, none for combining marks, one for anything else.
size_t text_columns(std::string_view text);

// The longest prefix of printable text that fits in columns, cut between
// characters, never inside one.
std::string_view cut_to_columns(std::string_view text, size_t columns);
