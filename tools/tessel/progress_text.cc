#include "tessel/progress_text.h"

#include <cinttypes>
#include <cstdio>
#include <iterator>

#include "tessel/display_text.h"

namespace {

// Below this many columns a cut title says nothing useful.
constexpr size_t kShortestTitle = 4;
constexpr std::string_view kFieldGap = "  ";

std::string printf_string(const char *fmt, double value, const char *unit) {
  char buf[64];
  snprintf(buf, sizeof buf, fmt, value, unit);
  return buf;
}

}  // namespace

std::string format_count(uint64_t n) {
  std::string digits = std::to_string(n);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string format_bytes(uint64_t bytes) {
  static const char *const kUnits[] = {"B", "kB", "MB", "GB", "TB", "PB", "EB"};
  if (bytes < 1000) return std::to_string(bytes) + " B";
  double value = static_cast<double>(bytes);
  size_t unit = 0;
  // Rounding to three figures can carry into the next unit (999.9 kB).
  while (value >= 999.5 && unit + 1 < std::size(kUnits)) {
    value /= 1000;
    ++unit;
  }
  const char *fmt = value < 9.995 ? "%.2f %s" : value < 99.95 ? "%.1f %s" : "%.0f %s";
  return printf_string(fmt, value, kUnits[unit]);
}

std::string format_time_left(int64_t seconds) {
  if (seconds < 0) seconds = 0;
  char buf[48];
  if (seconds < 60)
    snprintf(buf, sizeof buf, "%" PRId64 "s", seconds);
  else if (seconds < 3600)
    snprintf(buf, sizeof buf, "%" PRId64 "m %02" PRId64 "s", seconds / 60, seconds % 60);
  else
    snprintf(buf, sizeof buf, "%" PRId64 "h %02" PRId64 "m", seconds / 3600,
             seconds / 60 % 60);
  return buf;
}

std::string format_time_taken(int64_t milliseconds) {
  if (milliseconds < 0) milliseconds = 0;
  if (milliseconds >= 59950) return format_time_left((milliseconds + 500) / 1000);
  return printf_string("%.1f %s", static_cast<double>(milliseconds) / 1000, "s");
}

std::string reading_line(const reading_figures &f) {
  std::string line = "Reading " + format_bytes(f.bytes_read);
  if (f.file_size > 0 && f.bytes_read <= f.file_size) {
    line += " of " + format_bytes(f.file_size);
    line += " (" + std::to_string(f.bytes_read * 100 / f.file_size) + "%)";
  }
  if (f.elapsed_ms > 0) {
    double mb_per_s = static_cast<double>(f.bytes_read) / 1000.0 /
                      static_cast<double>(f.elapsed_ms);
    line += std::string(kFieldGap) + printf_string("%.1f %s", mb_per_s, "MB/s");
  }
  return line;
}

std::string writing_line(const writing_figures &f, size_t columns) {
  std::string line = f.empty_pages ? "Empty page " : "Revision ";
  line += format_count(f.done) + " of " + format_count(f.total);
  line += " (" + std::to_string(f.percent) + "%)";
  std::string rate, eta;
  if (f.commits_per_second >= 0)
    rate = std::string(kFieldGap) + printf_string("%.0f%s", f.commits_per_second, "/s");
  if (f.seconds_left >= 0) eta = std::string(kFieldGap) + "ETA " + format_time_left(f.seconds_left);
  if (columns == 0) {
    line += rate + eta;
    if (!f.title.empty()) line += std::string(kFieldGap) + std::string(f.title);
    return line;
  }
  // On a narrow terminal the time left matters more than the rate.
  if (text_columns(line + rate + eta) <= columns)
    line += rate + eta;
  else if (text_columns(line + eta) <= columns)
    line += eta;
  else
    return std::string(cut_to_columns(line + eta, columns));
  const size_t room = columns - text_columns(line);
  if (!f.title.empty() && room >= kFieldGap.size() + kShortestTitle) {
    line += kFieldGap;
    line += cut_to_columns(f.title, room - kFieldGap.size());
  }
  return line;
}
