// A tiny terminal that understands exactly what the progress display may
// send (printable text, "\r", "\n" and "erase to end of line"), so that a
// test can see what a user would be left looking at.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct terminal_screen {
  std::vector<std::string> lines;  // every line, the cursor's last
  size_t cursor_column = 0;        // in characters
  size_t widest = 0;               // the furthest the cursor ever went
  // Any other control byte or escape sequence, or a sequence cut short.
  std::vector<std::string> unexpected;
};

terminal_screen replay(std::string_view output);
