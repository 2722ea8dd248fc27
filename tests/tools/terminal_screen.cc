#include "tools/terminal_screen.h"

#include <algorithm>
#include <cstdint>

namespace {

// Characters, not bytes, so that overwriting works column by column.
using cells = std::vector<std::string>;

size_t sequence_length(uint8_t lead) {
  return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

}  // namespace

terminal_screen replay(std::string_view output) {
  terminal_screen screen;
  std::vector<cells> rows(1);
  size_t row = 0, col = 0;
  for (size_t i = 0; i < output.size();) {
    const uint8_t c = static_cast<uint8_t>(output[i]);
    if (c == '\r') {
      col = 0;
      ++i;
    } else if (c == '\n') {
      if (++row == rows.size()) rows.emplace_back();
      ++i;
    } else if (output.substr(i, 3) == "\033[K") {
      rows[row].resize(std::min(rows[row].size(), col));
      i += 3;
    } else if (c == 0x1B) {
      // The whole sequence, up to its final byte, for the message.
      size_t end = i + 1;
      if (end < output.size() && output[end] == '[') {
        ++end;
        while (end < output.size() && !(output[end] >= 0x40 && output[end] <= 0x7E)) ++end;
      }
      end = std::min(end + 1, output.size());
      screen.unexpected.emplace_back(output.substr(i, end - i));
      i = end;
    } else if (c < 0x20 || c == 0x7F) {
      screen.unexpected.emplace_back(output.substr(i, 1));
      ++i;
    } else {
      const size_t len = sequence_length(c);
      cells &line = rows[row];
      if (line.size() <= col) line.resize(col + 1);
      line[col++] = std::string(output.substr(i, len));
      screen.widest = std::max(screen.widest, col);
      i += len;
    }
  }
  for (const cells &r : rows) {
    std::string text;
    for (const std::string &cell : r) text += cell.empty() ? " " : cell;
    screen.lines.push_back(text);
  }
  screen.cursor_column = col;
  return screen;
}
