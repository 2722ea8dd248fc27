#include "tessel/progress_display.h"

#include <algorithm>
#include <cmath>

#include "tessel/display_text.h"
#include "tessel/progress_text.h"

namespace {

// A terminal line redrawn more often than this only flickers and costs
// time; a log line more often than this is noise.
constexpr int64_t kRedrawInterval_ms = 100;
constexpr int64_t kPlainInterval_ms = 5000;
// The rate, and so the estimate, follows the last half minute, since
// commits slow down as the repository grows.
constexpr int64_t kRateWindow_ms = 30000;
constexpr int64_t kShortestRateSpan_ms = 1000;

constexpr std::string_view kEraseLine = "\033[K";

uint64_t minus(uint64_t a, uint64_t b) { return a > b ? a - b : 0; }

}  // namespace

progress_display::progress_display(progress_style style, uint64_t file_size,
                                   progress_output out)
    : style_(style), file_size_(file_size), out_(std::move(out)) {
  started_ms_ = style_ == progress_style::none ? 0 : out_.now_ms();
}

progress_display::~progress_display() { finish(); }

void progress_display::read(uint64_t bytes_read) {
  bytes_read_ = bytes_read;
  if (style_ == progress_style::none) return;
  const int64_t now = out_.now_ms();
  if (due(now)) show_reading(now);
}

void progress_display::scanned(uint64_t revisions, uint64_t pages) {
  revisions_total_ = revisions;
  pages_total_ = pages;
  if (style_ == progress_style::none) return;
  const int64_t now = out_.now_ms();
  // A log should say how far the reading got before the writing starts.
  if (style_ == progress_style::plain && bytes_read_ != bytes_shown_) show_reading(now);
  shown_ = false;
  recent_.clear();
  show_writing(now, "");
}

void progress_display::committed(uint64_t pages_done, uint64_t revisions_done,
                                 const char *title) {
  ++commits_;
  // The export calls back with an unchanged revision count only for the
  // "Initialize" commits of pages that no revision touched.
  if (revisions_done != revisions_done_) {
    revisions_done_ = revisions_done;
    pages_touched_ = pages_done;
    empty_pages_ = false;
  } else {
    empty_pages_ = true;
  }
  pages_done_ = pages_done;
  if (style_ == progress_style::none) return;
  const int64_t now = out_.now_ms();
  if (due(now)) show_writing(now, title != nullptr ? title : "");
}

void progress_display::finish() {
  if (!on_screen_) return;
  out_.write(std::string("\r") + std::string(kEraseLine));
  on_screen_ = false;
}

bool progress_display::due(int64_t now) const {
  const int64_t interval =
      style_ == progress_style::redraw ? kRedrawInterval_ms : kPlainInterval_ms;
  return !shown_ || now - last_shown_ms_ >= interval;
}

void progress_display::show(const std::string &line, int64_t now) {
  if (style_ == progress_style::redraw) {
    out_.write("\r" + line + std::string(kEraseLine));
    on_screen_ = true;
  } else {
    out_.write(line + "\n");
  }
  last_shown_ms_ = now;
  shown_ = true;
}

void progress_display::show_reading(int64_t now) {
  std::string line = reading_line({bytes_read_, file_size_, now - started_ms_});
  if (style_ == progress_style::redraw) {
    const size_t width = out_.columns();
    // The last column is left free: writing into it makes some terminals
    // wrap, and "\r" would then return to the wrong line.
    line = std::string(cut_to_columns(line, width > 1 ? width - 1 : 1));
  }
  bytes_shown_ = bytes_read_;
  show(line, now);
}

void progress_display::show_writing(int64_t now, std::string_view title) {
  writing_figures f;
  f.empty_pages = empty_pages_;
  if (empty_pages_) {
    f.done = minus(pages_done_, pages_touched_);
    f.total = std::max(minus(pages_total_, pages_touched_), f.done);
  } else {
    f.done = revisions_done_;
    f.total = std::max(revisions_total_, revisions_done_);
  }
  const uint64_t left = commits_left();
  f.percent = commits_ + left == 0 ? 100 : static_cast<unsigned>(commits_ * 100 / (commits_ + left));
  f.commits_per_second = commit_rate(now);
  if (f.commits_per_second > 0)
    f.seconds_left = static_cast<int64_t>(std::ceil(static_cast<double>(left) / f.commits_per_second));
  const std::string printable = printable_text(title);
  f.title = printable;
  size_t width = 0;
  if (style_ == progress_style::redraw) {
    const size_t columns = out_.columns();
    width = columns > 1 ? columns - 1 : 1;
  }
  show(writing_line(f, width), now);
}

uint64_t progress_display::commits_left() const {
  // Until the revisions are done it is not known how many pages they touch;
  // counting every page not yet touched as one more commit makes the
  // estimate high at first and exact from the last revision on.
  return minus(revisions_total_, revisions_done_) + minus(pages_total_, pages_done_);
}

double progress_display::commit_rate(int64_t now) {
  if (recent_.empty() || recent_.back().at_ms < now) recent_.push_back({now, commits_});
  while (recent_.size() > 1 && recent_[1].at_ms <= now - kRateWindow_ms) recent_.pop_front();
  const int64_t span = now - recent_.front().at_ms;
  if (span < kShortestRateSpan_ms) return -1;
  return static_cast<double>(commits_ - recent_.front().commits) * 1000.0 /
         static_cast<double>(span);
}
