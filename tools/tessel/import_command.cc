#include <sys/stat.h>
#include <unistd.h>

#include <iostream>
#include <string>

#include "mw_api/import.h"
#include "platform/platform.h"
#include "tessel/commands.h"
#include "tessel/progress_display.h"
#include "tessel/summary.h"
#include "tessel/terminal.h"

namespace {

// mw_progress_fn carries no context pointer, so the commit callback finds
// the display here; set only while an import runs.
progress_display *s_display = nullptr;

class display_in_use {
 public:
  explicit display_in_use(progress_display &d) { s_display = &d; }
  ~display_in_use() { s_display = nullptr; }
  display_in_use(const display_in_use &) = delete;
  display_in_use &operator=(const display_in_use &) = delete;
};

void on_commit(int pages_done, int revisions_done, const char *title) {
  if (s_display != nullptr)
    s_display->committed(static_cast<uint64_t>(pages_done),
                         static_cast<uint64_t>(revisions_done), title);
}

void on_block(void *context, uint64_t bytes_read) {
  static_cast<progress_display *>(context)->read(bytes_read);
}

void on_scanned(void *context, uint64_t revisions, uint64_t pages) {
  static_cast<progress_display *>(context)->scanned(revisions, pages);
}

progress_style style_for(const invocation &what) {
  if (what.quiet) return progress_style::none;
  switch (what.progress) {
    case progress_choice::automatic:
      return is_capable_terminal(STDERR_FILENO) ? progress_style::redraw : progress_style::none;
    case progress_choice::tty:
      return progress_style::redraw;
    case progress_choice::plain:
      return progress_style::plain;
    case progress_choice::none:
      break;
  }
  return progress_style::none;
}

// The size the reader's byte count is measured against (the reader counts
// the file's own bytes, compressed or not), or 0 for a pipe, which has none.
uint64_t size_to_read(const std::string &path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  return static_cast<uint64_t>(st.st_size);
}

}  // namespace

int run_import(const invocation &what) {
  const int64_t started = ov_time_ms();
  progress_output out;
  out.write = [](std::string_view bytes) { write_all(STDERR_FILENO, bytes.data(), bytes.size()); };
  out.columns = [] { return static_cast<size_t>(terminal_columns(STDERR_FILENO)); };
  out.now_ms = [] { return ov_time_ms(); };
  progress_display display(style_for(what), size_to_read(what.dump), std::move(out));
  display_in_use in_use(display);

  mw_import_summary summary;
  mw_import_options options;
  options.reading.on_block = on_block;
  options.reading.context = &display;
  options.on_scanned = on_scanned;
  options.context = &display;
  options.summary = &summary;
  char err[2048] = "";
  const int rc = mw_import_dump(what.dump.c_str(), what.wiki_dir.c_str(), on_commit, err,
                                sizeof err, &options);
  display.finish();
  if (rc != 0) {
    print_failure(err);
    return kExitFailure;
  }
  if (!what.quiet) {
    import_totals totals;
    totals.pages = summary.pages;
    totals.revisions = summary.revisions;
    totals.commits = display.commits();
    totals.undecoded_texts = summary.undecoded_texts;
    totals.elapsed_ms = ov_time_ms() - started;
    std::cout << import_summary(what.dump, what.wiki_dir, totals) << std::flush;
  }
  return kExitSuccess;
}
