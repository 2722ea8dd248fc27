// The import's progress: first the reading of the dump, then the commits,
// drawn in place on a terminal or logged as a line every few seconds.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

enum class progress_style {
  none,    // nothing at all
  redraw,  // one line, rewritten in place with "\r" and "erase line"
  plain,   // whole lines now and then, for logs
};

// Where the display writes, how wide that is and what time it is; the tool
// passes standard error and the monotonic clock, tests their own.
struct progress_output {
  std::function<void(std::string_view)> write;
  std::function<size_t()> columns;  // only asked for redraw
  std::function<int64_t()> now_ms;
};

class progress_display {
 public:
  // file_size is the dump's size for the percentage, 0 when unknown.
  progress_display(progress_style style, uint64_t file_size, progress_output out);
  ~progress_display();
  progress_display(const progress_display &) = delete;
  progress_display &operator=(const progress_display &) = delete;

  // After every block the reader reads: the running total of bytes.
  void read(uint64_t bytes_read);
  // Once, when the dump is read and the history is about to be written.
  void scanned(uint64_t revisions, uint64_t pages);
  // After every commit, with the counts of mw_progress_fn.
  void committed(uint64_t pages_done, uint64_t revisions_done, const char *title);
  // Takes the redrawn line off the terminal so that whatever comes next
  // starts on a clean line. Called again, or by the destructor, it does
  // nothing.
  void finish();

  uint64_t commits() const { return commits_; }

 private:
  struct sample {
    int64_t at_ms;
    uint64_t commits;
  };

  bool due(int64_t now) const;
  void show(const std::string &line, int64_t now);
  void show_reading(int64_t now);
  void show_writing(int64_t now, std::string_view title);
  uint64_t commits_left() const;
  double commit_rate(int64_t now);

  progress_style style_;
  uint64_t file_size_;
  progress_output out_;

  int64_t started_ms_;
  int64_t last_shown_ms_ = 0;
  bool shown_ = false;     // a line has been written in this phase
  bool on_screen_ = false;  // a redrawn line is waiting to be cleared
  uint64_t bytes_read_ = 0;
  uint64_t bytes_shown_ = 0;

  uint64_t revisions_total_ = 0;
  uint64_t pages_total_ = 0;
  uint64_t revisions_done_ = 0;
  uint64_t pages_done_ = 0;
  uint64_t pages_touched_ = 0;  // pages_done after the last revision commit
  bool empty_pages_ = false;    // the commits now are "Initialize" commits
  uint64_t commits_ = 0;
  std::deque<sample> recent_;  // for the rate: commits counted at each showing
};
