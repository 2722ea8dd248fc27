// The words and figures of the progress display and the summary, as pure
// functions of the numbers, so that they read the same on a terminal and
// in a log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// 1234567 -> "1,234,567".
std::string format_count(uint64_t n);

// Decimal units with three significant figures: "512 B", "11.8 kB",
// "4.20 GB".
std::string format_bytes(uint64_t bytes);

// A time still to come, to the second: "12s", "4m 10s", "2h 05m".
std::string format_time_left(int64_t seconds);

// A time taken, in tenths of a second below a minute: "0.4 s", "4m 10s".
std::string format_time_taken(int64_t milliseconds);

struct reading_figures {
  uint64_t bytes_read = 0;
  uint64_t file_size = 0;  // 0 when not known: no percentage is shown
  int64_t elapsed_ms = 0;  // since reading began
};

// "Reading 4.20 MB of 11.8 MB (35%)  85.3 MB/s"
std::string reading_line(const reading_figures &f);

struct writing_figures {
  bool empty_pages = false;  // the "Initialize" commits of pages without revisions
  uint64_t done = 0;         // revisions (or empty pages) committed
  uint64_t total = 0;        // of that kind
  unsigned percent = 0;      // of all commits
  double commits_per_second = -1;  // negative while not yet known
  int64_t seconds_left = -1;       // negative while not yet known
  std::string_view title;          // printable text, see display_text.h
};

// "Revision 1,234 of 5,000 (24%)  310/s  ETA 12s  Main_Page" (commits per
// second), at most columns wide when columns is non-zero: the title is cut
// first, then dropped, then the rate, and then the rest is cut.
std::string writing_line(const writing_figures &f, size_t columns);
