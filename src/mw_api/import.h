// The import as a whole: work directory, store, scan, export, clean-up.
// The exported tessel_import_file is this with no options; the command-line
// tool passes options to watch it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "mw_lexer/lexer.h"
#include "tessel.h"

struct mw_import_summary {
  uint64_t pages = 0;
  uint64_t revisions = 0;
  uint64_t undecoded_texts = 0;
};

struct mw_import_options {
  mw_lexer_hooks reading;  // progress of the scan
  // Called once between the scan and the export, with the number of
  // revisions and pages about to be written.
  void (*on_scanned)(void *context, uint64_t revisions, uint64_t pages) = nullptr;
  void *context = nullptr;
  mw_import_summary *summary = nullptr;  // filled on success
};

int mw_import_dump(const char *sql_path, const char *wiki_root_dir,
                   mw_progress_fn progress, char *err, size_t err_size,
                   const mw_import_options *options = nullptr);
