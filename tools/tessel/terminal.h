// What the tool needs to know about the terminal it draws on.
#pragma once

// True when fd is a terminal that understands carriage return and "erase
// to end of line": a tty whose TERM is set and is not "dumb".
bool is_capable_terminal(int fd);

// The width of the terminal on fd in columns, or 80 when it cannot be told.
int terminal_columns(int fd);

